#pragma once
// Writing a whole file so that it is either replaced completely or left as it was.

#include <QString>

// Writes size bytes to a temporary file beside path, then renames it over path. On failure the
// temporary file is removed, an earlier file at path is untouched, and error says what failed
// and where. Unlike QSaveFile it does not flush to the disk, which would cost a batch of
// thousands of small files seconds.
bool ReplaceFile(const QString &path, const char *data, qint64 size, QString *error = nullptr);

// Renames the finished temporary file partial over path. On failure partial is removed and error
// says why (the target is a directory, permission, ...).
bool RenameOver(const QString &partial, const QString &path, QString *error = nullptr);
