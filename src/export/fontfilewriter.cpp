#include "fontfilewriter.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace {

// Text is handed to the file in blocks of about this size.
constexpr size_t DrainBlock = 1 << 18;

} // namespace

QString CodePointName(char32_t codePoint)
{
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

const char *CHexByte(uint8_t byte)
{
    static const auto table = [] {
        std::array<std::array<char, 7>, 256> t{};
        for (int b = 0; b < 256; ++b)
            std::snprintf(t[size_t(b)].data(), 7, "0x%02x,", b);
        return t;
    }();
    return table[byte].data();
}

std::string CommentSafe(std::string text)
{
    for (const std::string_view piece : {"*/", "/*", "?\?/"})
        for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at))
            text.insert(at + piece.size() - 1, 1, ' ');
    return text;
}

bool FontFileWriter::Drain(Failure *failure, bool all)
{
    if (m_text.empty() || (!all && m_text.size() < DrainBlock))
        return true;
    if (!m_file.Write(m_text.data(), qint64(m_text.size()))) {
        if (failure)
            *failure = m_file.Error();
        return false;
    }
    m_text.clear();
    return true;
}
