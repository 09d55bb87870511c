#include "testutil.h"

#include "charset/cp936.h"

#include <QFile>

#include <algorithm>
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

std::map<char32_t, std::vector<std::string>> UnifontBitmaps(const std::vector<char32_t> &codePoints)
{
    std::map<char32_t, std::vector<std::string>> result;
    QFile file(UnifontHex);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const int colon = line.indexOf(':');
        const char32_t cp = line.left(colon).toUInt(nullptr, 16);
        if (std::find(codePoints.begin(), codePoints.end(), cp) == codePoints.end() || line.size() - colon - 1 != 64)
            continue;
        std::vector<std::string> rows;
        for (int r = 0; r < 16; ++r) {
            const unsigned bits = line.mid(colon + 1 + 4 * r, 4).toUInt(nullptr, 16);
            std::string row;
            for (int c = 0; c < 16; ++c)
                row += (bits & (0x8000u >> c)) ? '#' : '.';
            rows.push_back(row);
        }
        result[cp] = rows;
    }
    return result;
}

} // namespace testutil
