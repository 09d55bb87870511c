#include "replacefile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ReplaceFile(const QString &path, const char *data, qint64 size, QString *error)
{
    const QString partial = path + QStringLiteral(".part");
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("cannot create %1: %2").arg(path, file.errorString());
        return false;
    }
    const bool written = file.write(data, size) == size && file.flush();
    const QString writeError = file.errorString();
    file.close();
    if (!written || file.error() != QFile::NoError) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, writeError);
        return false;
    }
    return RenameOver(partial, path, error);
}

bool RenameOver(const QString &partial, const QString &path, QString *error)
{
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) == 0)
        return true;
    const int reason = errno;
    QFile::remove(partial);
    if (error)
        *error = QStringLiteral("cannot replace %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(reason)));
    return false;
}
