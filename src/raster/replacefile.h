#pragma once
// Writing a whole file so that it is either replaced completely or left as it was.

#include <QFile>
#include <QString>

// A file written piece by piece into a temporary file beside path and renamed over path by
// Commit. Until then an earlier file at path is untouched; a file that is never committed (an
// error, a cancelled run) leaves no temporary behind. Unlike QSaveFile it does not flush to the
// disk, which would cost a batch of thousands of small files seconds.
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString &path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates the temporary file; false with error saying what and where when it cannot.
    bool Open(QString *error = nullptr);
    // Appends bytes; false once any write has failed (Commit then says why).
    bool Write(const char *data, qint64 size);
    // Bytes written so far.
    qint64 Size() const { return m_size; }
    // After a failed Write: what failed and where.
    QString WriteError() const;
    // Renames the temporary file over path. On failure the temporary file is removed and error
    // says what failed and where.
    bool Commit(QString *error = nullptr);

private:
    QString m_path;
    QFile m_file;
    qint64 m_size = 0;
    bool m_failed = false;
    QString m_writeError;
};

// Writes size bytes to a temporary file beside path, then renames it over path: a ReplacingFile
// written in one piece.
bool ReplaceFile(const QString &path, const char *data, qint64 size, QString *error = nullptr);
