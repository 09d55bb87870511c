#pragma once
// Make-style dependency files: the file a command wrote and every file it was made from, so that
// Make, Ninja and CMake run the command again exactly when one of those changes.

#include "base/failure.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

// "target: input input ..." with one input a line, spaces, '#' and '$' escaped as Make and Ninja
// read them; nothing when a path holds a line break, which no dependency file can name (the
// path is put in offending).
std::optional<std::string> DepfileText(const QString &target, const QStringList &inputs, QString *offending);

// Writes the dependency file at path whole or not at all.
Failure WriteDepfile(const QString &path, const std::string &text);
