#include "rewriteinplace.h"

#include <QFile>

bool RewriteInPlace(const QString &path, const char *data, qint64 size, QString *error)
{
    QFile file(path);
    // Read-write opens without truncating, where write-only would empty the file first.
    if (!file.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot create %1: %2").arg(path, file.errorString());
        return false;
    }
    const bool written = file.write(data, size) == size && file.flush() && (file.size() <= size || file.resize(size));
    if (!written) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        file.close();
        file.remove();
        return false;
    }
    return true;
}
