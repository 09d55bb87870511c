#pragma once
// AtomicFile: a file that is replaced whole or not at all. Bytes go to a temporary file beside
// the target; Commit() renames it over the target. Until then an earlier file at the target is
// left as it was, and a temporary that is never committed is removed.
//
// Every file the program writes goes through here, under one rule for what stands at the path:
// a symbolic link is followed and the file it leads to replaced (the link stays); a device or a
// named pipe is not replaced but written to directly, as a shell's redirection would, so bytes
// that reached it stay there when a later write fails; "-" is the standard output.

#include "base/failure.h"

#include <QByteArray>
#include <QString>

#include <string>

class AtomicFile
{
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile(); // removes the temporary file unless it was committed
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Creates the temporary file, replacing one an earlier failed write left behind.
    bool Open();
    // Appends bytes to the temporary file. After one failure every later call fails too.
    bool Write(const char *data, qint64 size);
    bool Write(const std::string &bytes) { return Write(bytes.data(), qint64(bytes.size())); }
    bool Write(const QByteArray &bytes) { return Write(bytes.constData(), bytes.size()); }
    // Renames the temporary file over the target. False (and the target untouched) after any
    // failure. It does not flush to the disk, which would cost a batch of thousands of small
    // files seconds.
    bool Commit();

    const QString &Path() const { return m_path; }
    qint64 Size() const { return m_written; }
    // What failed and where (writing /work/All.c: No space left on device); none while nothing
    // has.
    const Failure &Error() const { return m_error; }

private:
    bool Fail(FailureCode code, const QString &reason);
    bool Fail(FailureCode code, int error);
    bool Drain();

    QString m_path;
    QByteArray m_target;    // where the bytes end: the path with its symbolic links followed
    QByteArray m_temporary; // the temporary beside m_target; empty when written to directly
    int m_fd = -1;
    bool m_ownsFd = false;  // false for the standard output, which stays open
    QByteArray m_buffer;    // bytes not yet handed to the system
    qint64 m_written = 0;
    Failure m_error;
    bool m_committed = false;
};

// The path that names the standard output.
inline const QString StandardOutputPath = QStringLiteral("-");

// True when both paths name one existing file (through links too): a run must not write over a
// file it reads.
bool IsSameFile(const QString &a, const QString &b);

// Writes size bytes to path through an AtomicFile; failure (when given) says what failed.
bool WriteFileAtomically(const QString &path, const char *data, qint64 size, Failure *failure = nullptr);

// Copies the file at from over to, replacing it whole or not at all.
bool CopyFileReplacing(const QString &from, const QString &to, Failure *failure = nullptr);
