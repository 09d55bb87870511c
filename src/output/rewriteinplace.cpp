#include "rewriteinplace.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RewriteInPlace(const QString &path, const char *data, qint64 size, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    // Read-write opens without truncating, where write-only would empty the file first.
    int fd = open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool created = fd >= 0;
    if (!created)
        fd = open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // The system's own reason is taken at the call that failed: a later call would overwrite it.
    int failure = 0;
    for (qint64 done = 0; done < size && failure == 0;) {
        const ssize_t now = write(fd, data + done, size_t(size - done));
        if (now > 0)
            done += now;
        else if (now == 0 || errno != EINTR)
            failure = now == 0 ? EIO : errno;
    }
    // Cut only a longer earlier file: a file cut to nothing and rewritten is flushed on close.
    struct stat written;
    if (failure == 0 && (fstat(fd, &written) != 0 || (written.st_size > size && ftruncate(fd, off_t(size)) != 0)))
        failure = errno;
    if (close(fd) != 0 && failure == 0 && errno != EINTR)
        failure = errno;
    if (failure == 0)
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(failure)));
    if (created)
        unlink(name.constData());
    return false;
}
