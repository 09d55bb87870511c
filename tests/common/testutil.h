#pragma once
// Helpers shared by the test suites: scratch directories, file bytes, text in code page 936.

#include <QString>
#include <QTemporaryDir>

#include <string>

namespace testutil {

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const QString &path);
// Writes bytes to a file, replacing it; returns false on failure.
bool WriteFileBytes(const QString &path, const std::string &bytes);
// Golden file under tests/golden/, as bytes.
std::string Golden(const QString &name);
// UTF-8 text (as written in test sources) to code page 936 bytes.
std::string Gbk(const char *utf8);

} // namespace testutil
