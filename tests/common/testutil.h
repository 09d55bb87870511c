#pragma once
// Helpers shared by the test suites: scratch directories, file bytes, text in code page 936.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "raster/outputdirectory.h"

#include <QString>
#include <QTemporaryDir>

#include <ostream>
#include <string>

namespace testutil {

// A scratch output directory with the working state a command needs: settings (pointing at the
// directory) and a matrix of its own.
struct Scratch
{
    QTemporaryDir dir;
    OutputDirectory output{dir.path()};
    GlyphSettings settings;
    DotMatrix matrix;
    Scratch() { settings.ProgramDir = dir.path(); }
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const QString &path);
// Writes bytes to a file, replacing it; returns false on failure.
bool WriteFileBytes(const QString &path, const std::string &bytes);
// Golden file under tests/golden/, as bytes.
std::string Golden(const QString &name);
// UTF-8 text (as written in test sources) to code page 936 bytes.
std::string Gbk(const char *utf8);

} // namespace testutil

// QStrings as text in GoogleTest's failure messages.
inline std::ostream &operator<<(std::ostream &out, const QString &text)
{
    return out << text.toStdString();
}
