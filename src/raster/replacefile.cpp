#include "replacefile.h"

#include <QFile>

#include <cstdio>

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
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(partial);
        if (error)
            *error = QStringLiteral("cannot replace %1").arg(path);
        return false;
    }
    return true;
}
