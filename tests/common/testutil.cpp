#include "testutil.h"

#include "charset/cp936.h"

#include <QFile>

#include <gtest/gtest.h>

namespace testutil {

std::string ReadFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

bool WriteFileBytes(const QString &path, const std::string &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

void Touch(const QTemporaryDir &dir, const char *name)
{
    ASSERT_TRUE(WriteFileBytes(dir.filePath(name), "x")) << name;
}

std::string Golden(const QString &name)
{
    return ReadFileBytes(QStringLiteral(DOTRIX_GOLDEN_DIR "/") + name);
}

std::string Gbk(const char *utf8)
{
    return Utf8ToCp936(utf8);
}

} // namespace testutil
