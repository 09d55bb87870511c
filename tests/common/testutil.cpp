#include "testutil.h"

#include "charset/cp936.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
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

namespace {

std::vector<std::string> SplitLines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end + 1 - start));
        start = end + 1;
    }
    return lines;
}

// A line as it reads in a failure message: line ends and other control bytes escaped.
std::string Shown(const std::string &line)
{
    std::string shown;
    for (const unsigned char c : line) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else
            shown += char(c);
    }
    return shown;
}

} // namespace

std::string LineDiff(const std::string &expected, const std::string &actual, int maxLines)
{
    const std::vector<std::string> a = SplitLines(expected), b = SplitLines(actual);
    // Common lines at both ends, then a longest common subsequence of what lies between (the
    // goldens are small; a middle too large for the table is shown whole as removed and added).
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const size_t n = a.size() - head - tail, m = b.size() - head - tail;
    std::vector<std::vector<int>> common;
    if (n * m <= 4000000) {
        common.assign(n + 1, std::vector<int>(m + 1, 0));
        for (size_t i = n; i-- > 0;)
            for (size_t j = m; j-- > 0;)
                common[i][j] = a[head + i] == b[head + j] ? common[i + 1][j + 1] + 1
                                                          : std::max(common[i + 1][j], common[i][j + 1]);
    }
    std::string diff;
    int shown = 0;
    auto line = [&](char sign, size_t index, const std::string &text) {
        if (shown++ < maxLines)
            diff += sign + std::to_string(index + 1) + ": " + Shown(text) + "\n";
    };
    size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[head + i] == b[head + j]) {
            ++i, ++j;
        } else if (j == m || (i < n && (common.empty() || common[i + 1][j] >= common[i][j + 1]))) {
            line('-', head + i, a[head + i]);
            ++i;
        } else {
            line('+', head + j, b[head + j]);
            ++j;
        }
    }
    if (shown > maxLines)
        diff += "... and " + std::to_string(shown - maxLines) + " more lines\n";
    return diff;
}

::testing::AssertionResult MatchesGolden(const std::string &actual, const QString &name, const std::string &prefix)
{
    const QString path = QStringLiteral(DOTRIX_GOLDEN_DIR "/") + name;
    if (qEnvironmentVariableIntValue("DOTRIX_UPDATE_GOLDENS") == 1) {
        if (actual.compare(0, prefix.size(), prefix) != 0)
            return ::testing::AssertionFailure() << name << ": the output does not start with the expected prefix";
        if (!WriteFileBytes(path, actual.substr(prefix.size())))
            return ::testing::AssertionFailure() << "cannot rewrite " << path;
        return ::testing::AssertionSuccess();
    }
    QFile file(path);
    if (!file.exists())
        return ::testing::AssertionFailure() << "golden file " << path << " is missing (DOTRIX_UPDATE_GOLDENS=1 writes it)";
    const std::string expected = prefix + Golden(name);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "output differs from golden file " << name
                                         << " (- golden, + output; DOTRIX_UPDATE_GOLDENS=1 rewrites it):\n"
                                         << LineDiff(expected, actual);
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

namespace testutil {

std::string Describe(const Failure &failure)
{
    return QStringLiteral("failure %1: %2: %3 [%4]")
        .arg(int(failure.Code))
        .arg(failure.Path, failure.Reason, failure.Details.join(QStringLiteral(", ")))
        .toStdString();
}

bool Mentions(const Failure &failure, const QString &text)
{
    return failure.Path.contains(text) || failure.Reason.contains(text)
           || failure.Details.join(QLatin1Char('\n')).contains(text);
}

} // namespace testutil
