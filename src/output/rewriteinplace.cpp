#include "rewriteinplace.h"

#include <QFile>

bool RewriteInPlace(const QString &path, const char *data, qint64 size, QString *error)
{
    QFile file(path);
    // Read-write opens without truncating, where write-only would empty the file first.
    const bool created = file.open(QIODevice::ReadWrite | QIODevice::NewOnly);
    if (!created && !file.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(data, size) == size && file.flush() && (file.size() <= size || file.resize(size)))
        return true;
    *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    file.close();
    if (created)
        file.remove();
    return false;
}
