#include "rewriteinplace.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RewriteInPlace(const QString &path, const char *data, qint64 size, Failure *failure)
{
    const QByteArray name = QFile::encodeName(path);
    // Read-write opens without truncating, where write-only would empty the file first.
    int fd = open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const bool created = fd >= 0;
    if (!created)
        fd = open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return Report(failure, SystemFailure(FailureCode::Create, path, errno));
    // The system's own reason is taken at the call that failed: a later call would overwrite it.
    int error = 0;
    for (qint64 done = 0; done < size && error == 0;) {
        const ssize_t now = write(fd, data + done, size_t(size - done));
        if (now > 0)
            done += now;
        else if (now == 0 || errno != EINTR)
            error = now == 0 ? EIO : errno;
    }
    // Cut only a longer earlier file: a file cut to nothing and rewritten is flushed on close.
    struct stat written;
    if (error == 0 && (fstat(fd, &written) != 0 || (written.st_size > size && ftruncate(fd, off_t(size)) != 0)))
        error = errno;
    if (close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0)
        return true;
    const Failure failed = SystemFailure(FailureCode::Write, path, error);
    if (created)
        unlink(name.constData());
    return Report(failure, failed);
}
