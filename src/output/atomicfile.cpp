#include "atomicfile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bytes are handed to the system in blocks of about this size.
constexpr qsizetype BlockSize = 64 * 1024;

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The path a chain of symbolic links starting at path leads to (which need not exist yet);
// path itself when it is no link.
QByteArray FollowLinks(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        char target[4096];
        const ssize_t size = readlink(path.constData(), target, sizeof target);
        if (size <= 0 || size_t(size) == sizeof target)
            break;
        QByteArray next(target, size);
        const qsizetype slash = path.lastIndexOf('/');
        if (!next.startsWith('/') && slash >= 0)
            next.prepend(path.left(slash + 1));
        path = next;
    }
    return path;
}

} // namespace

AtomicFile::AtomicFile(const QString &path) : m_path(path)
{
}

AtomicFile::~AtomicFile()
{
    if (m_ownsFd && m_fd >= 0)
        close(m_fd);
    if (!m_committed && !m_temporary.isEmpty())
        unlink(m_temporary.constData());
}

bool AtomicFile::Fail(FailureCode code, const QString &reason)
{
    if (!m_error)
        m_error = {code, m_path, reason, {}};
    return false;
}

bool AtomicFile::Fail(FailureCode code, int error)
{
    return Fail(code, Reason(error));
}

bool AtomicFile::Open()
{
    if (m_path == StandardOutputPath) {
        m_fd = STDOUT_FILENO;
        return true;
    }
    m_target = FollowLinks(QFile::encodeName(m_path));
    struct stat earlier;
    const bool exists = stat(m_target.constData(), &earlier) == 0;
    if (exists && !S_ISREG(earlier.st_mode) && !S_ISDIR(earlier.st_mode)) {
        // A device or a pipe takes the bytes as they come; there is no file to replace.
        m_fd = open(m_target.constData(), O_WRONLY | O_CLOEXEC);
        m_ownsFd = m_fd >= 0;
        return m_ownsFd || Fail(FailureCode::Create, errno);
    }
    m_temporary = m_target + ".part";
    unlink(m_temporary.constData());
    m_fd = open(m_temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        m_temporary.clear(); // not ours to remove
        return Fail(FailureCode::Create, errno);
    }
    m_ownsFd = true;
    // The new file keeps the permissions of the one it replaces.
    if (exists && S_ISREG(earlier.st_mode))
        fchmod(m_fd, earlier.st_mode & 07777);
    return true;
}

bool AtomicFile::Drain()
{
    const char *data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t done = write(m_fd, data, size_t(left));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return Fail(FailureCode::Write, done < 0 ? errno : EIO);
        data += done;
        left -= done;
    }
    m_buffer.clear();
    return true;
}

bool AtomicFile::Write(const char *data, qint64 size)
{
    if (m_error)
        return false;
    if (m_fd < 0)
        return Fail(FailureCode::Write, Reason(EBADF));
    m_buffer.append(data, qsizetype(size));
    m_written += size;
    return m_buffer.size() < BlockSize || Drain();
}

bool AtomicFile::Commit()
{
    if (m_error || m_fd < 0)
        return Fail(FailureCode::Write, Reason(EBADF));
    if (!Drain())
        return false;
    if (m_ownsFd) {
        // A file system that stores on close (NFS, a full disk's quota) reports a failed write here.
        const int closed = close(m_fd);
        m_fd = -1;
        if (closed != 0 && errno != EINTR)
            return Fail(FailureCode::Write, errno);
    }
    // rename() replaces the target in one step where QFile::rename() refuses an existing one.
    if (!m_temporary.isEmpty() && std::rename(m_temporary.constData(), m_target.constData()) != 0)
        return Fail(FailureCode::Replace, errno);
    m_committed = true;
    return true;
}

bool IsSameFile(const QString &a, const QString &b)
{
    struct stat first, second;
    return stat(QFile::encodeName(a).constData(), &first) == 0 && stat(QFile::encodeName(b).constData(), &second) == 0
           && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool WriteFileAtomically(const QString &path, const char *data, qint64 size, Failure *failure)
{
    AtomicFile file(path);
    if (file.Open() && file.Write(data, size) && file.Commit())
        return true;
    return Report(failure, file.Error());
}

bool CopyFileReplacing(const QString &from, const QString &to, Failure *failure)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Report(failure, {FailureCode::OpenForReading, from, source.errorString(), {}});
    AtomicFile target(to);
    bool ok = target.Open();
    while (ok && !source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty())
            return Report(failure, {FailureCode::Read, from, source.errorString(), {}});
        ok = target.Write(chunk);
    }
    if (ok && target.Commit())
        return true;
    return Report(failure, target.Error());
}
