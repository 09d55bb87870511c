#include "cp936.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace {

// One iconv conversion descriptor for the life of a call; iconv state is not shareable across
// threads, so every conversion opens its own.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts input whole; false when any of it has no conversion (output then undefined).
    bool Convert(std::string_view input, std::string &output)
    {
        output.clear();
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
        char *in = const_cast<char *>(input.data());
        size_t inLeft = input.size();
        char buffer[64];
        while (inLeft > 0) {
            char *out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer, size_t(out - buffer));
            if (rc == size_t(-1) && errno != E2BIG)
                return false;
        }
        char *out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(m_cd, nullptr, nullptr, &out, &outLeft) == size_t(-1))
            return false;
        output.append(buffer, size_t(out - buffer));
        return true;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray byte.
size_t Utf8SequenceLength(unsigned char byte)
{
    if (byte >= 0xF0 && byte <= 0xF4)
        return 4;
    if (byte >= 0xE0)
        return byte <= 0xEF ? 3 : 1;
    if (byte >= 0xC2)
        return 2;
    return 1;
}

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

} // namespace

size_t CharLengthAt(std::string_view text, size_t pos)
{
    if (pos >= text.size())
        return 0;
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size())
        return 2;
    return 1;
}

std::vector<std::string> SplitChars(std::string_view text)
{
    std::vector<std::string> chars;
    for (size_t pos = 0, len; (len = CharLengthAt(text, pos)) != 0; pos += len)
        chars.emplace_back(text.substr(pos, len));
    return chars;
}

size_t CountChars(std::string_view text)
{
    size_t count = 0;
    for (size_t pos = 0, len; (len = CharLengthAt(text, pos)) != 0; pos += len)
        ++count;
    return count;
}

std::string LastCharOf(std::string_view text)
{
    size_t last = std::string_view::npos;
    size_t lastLength = 0;
    for (size_t pos = 0, len; (len = CharLengthAt(text, pos)) != 0; pos += len) {
        last = pos;
        lastLength = len;
    }
    if (last == std::string_view::npos)
        return {};
    // A zero byte as the last character reads as no character, as in a C string.
    if (lastLength == 1 && text[last] == '\0')
        return {};
    return std::string(text.substr(last, lastLength));
}

std::string LastCharOfLine(std::string_view text)
{
    std::string ch = LastCharOf(text);
    if (ch == "\n" || ch == "\r")
        return {};
    return ch;
}

size_t FindChar(std::string_view text, std::string_view ch, size_t from)
{
    if (ch.empty())
        return std::string_view::npos;
    for (size_t pos = from, len; (len = CharLengthAt(text, pos)) != 0; pos += len) {
        if (len == ch.size() && text.compare(pos, len, ch) == 0)
            return pos;
    }
    return std::string_view::npos;
}

namespace {

// Calls take(sequence, code) for each UTF-8 character of utf8 in order, with its code page 936
// bytes as code, empty when it has none. A broken sequence is a character without a code.
template <typename Take>
void EncodeEachChar(std::string_view utf8, Take take)
{
    Converter converter("CP936", "UTF-8");
    std::string one;
    for (size_t pos = 0; pos < utf8.size();) {
        const unsigned char byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) { // ASCII is the same in both
            take(utf8.substr(pos, 1), utf8.substr(pos, 1));
            ++pos;
            continue;
        }
        const size_t len = std::min(Utf8SequenceLength(byte), utf8.size() - pos);
        const std::string_view sequence = utf8.substr(pos, len);
        if (converter.Valid() && converter.Convert(sequence, one) && !one.empty())
            take(sequence, std::string_view(one));
        else
            take(sequence, std::string_view());
        pos += len;
    }
}

// Calls take(code) for each character of text in order, with its UTF-8 bytes as code; a
// character without a Unicode character gives U+FFFD.
template <typename Take>
void DecodeEachChar(std::string_view text, Take take)
{
    Converter converter("UTF-8", "CP936");
    std::string one;
    for (size_t pos = 0, len; (len = CharLengthAt(text, pos)) != 0; pos += len) {
        const unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80)
            take(text.substr(pos, 1));
        else if (converter.Valid() && converter.Convert(text.substr(pos, len), one) && !one.empty())
            take(std::string_view(one));
        else
            take(ReplacementCharacter);
    }
}

} // namespace

std::string Utf8ToCp936(std::string_view utf8, std::vector<std::string> *skipped)
{
    std::string result;
    result.reserve(utf8.size());
    EncodeEachChar(utf8, [&](std::string_view sequence, std::string_view code) {
        if (!code.empty())
            result += code;
        else if (skipped)
            skipped->emplace_back(sequence);
    });
    return result;
}

std::vector<std::string> Utf8ToCp936Chars(std::string_view utf8)
{
    std::vector<std::string> chars;
    EncodeEachChar(utf8, [&](std::string_view, std::string_view code) { chars.emplace_back(code); });
    return chars;
}

std::string Cp936ToUtf8(std::string_view text)
{
    std::string result;
    result.reserve(text.size() * 3 / 2);
    DecodeEachChar(text, [&](std::string_view code) { result += code; });
    return result;
}

std::vector<std::string> Cp936ToUtf8Chars(std::string_view text)
{
    std::vector<std::string> chars;
    DecodeEachChar(text, [&](std::string_view code) { chars.emplace_back(code); });
    return chars;
}

std::string QStringToCp936(const QString &text, std::vector<std::string> *skipped)
{
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp936(std::string_view(utf8.constData(), size_t(utf8.size())), skipped);
}

QString Cp936ToQString(std::string_view text)
{
    const std::string utf8 = Cp936ToUtf8(text);
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
