#include "collect.h"

#include "cp936.h"

#include "base/job.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr char32_t MaxCodePoint = 0x10FFFF;
// A NUL byte this near the start makes a file binary.
constexpr size_t BinaryProbeBytes = 8192;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The characters found so far: one bit a code point.
class Found
{
public:
    Found() : m_bits((MaxCodePoint + 1) / 64) {}
    void Add(char32_t c)
    {
        if (c < 0x20 || c == 0x7F || c > MaxCodePoint || IsSurrogate(c))
            return;
        m_bits[c >> 6] |= uint64_t(1) << (c & 63);
    }
    std::vector<char32_t> Sorted() const
    {
        std::vector<char32_t> characters;
        for (size_t word = 0; word < m_bits.size(); ++word)
            for (uint64_t bits = m_bits[word]; bits; bits &= bits - 1)
                characters.push_back(char32_t(word * 64 + size_t(__builtin_ctzll(bits))));
        return characters;
    }

private:
    std::vector<uint64_t> m_bits;
};

// Decodes UTF-8; invalid sequences (stray bytes, overlong forms, surrogates, values past
// U+10FFFF, cut-off sequences) are reported through bad, which returns whether to go on.
template <typename Emit, typename Bad>
void DecodeUtf8(std::string_view bytes, Emit put, Bad bad)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            put(char32_t(b));
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t c = 0, least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2, c = b & 0x1F, least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3, c = b & 0x0F, least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4, c = b & 0x07, least = 0x10000;
        }
        size_t k = 1;
        for (; length && k < length && i + k < n && (p[i + k] & 0xC0) == 0x80; ++k)
            c = (c << 6) | (p[i + k] & 0x3F);
        if (length == 0 || k < length || c < least || c > MaxCodePoint || IsSurrogate(c)) {
            if (!bad())
                return;
            i += std::max<size_t>(1, length ? k : 1);
            continue;
        }
        put(c);
        i += length;
    }
}

constexpr char32_t NoCharacter = 0xFFFFFFFF;

// Code page 936 characters as code points, looked up instead of converted one by one: the
// one-byte characters at their byte, the two-byte ones at lead * 256 + trail. A code without a
// Unicode character (where the codec gives U+FFFD) is NoCharacter.
const std::vector<char32_t> &Cp936Table()
{
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> codes(0x10000, NoCharacter);
        std::string all;
        for (unsigned byte = 0; byte <= 0x80; ++byte)
            all += char(byte);
        for (unsigned lead = 0x81; lead <= 0xFF; ++lead)
            for (unsigned trail = 0; trail <= 0xFF; ++trail)
                all += {char(lead), char(trail)};
        const std::vector<std::string> utf8 = Cp936ToUtf8Chars(all);
        size_t i = 0;
        const auto put = [&](unsigned code) {
            char32_t c = NoCharacter;
            if (i < utf8.size() && utf8[i] != "\xEF\xBF\xBD")
                DecodeUtf8(utf8[i], [&](char32_t d) { c = d; }, [] { return false; });
            codes[code] = c;
            ++i;
        };
        for (unsigned byte = 0; byte <= 0x80; ++byte)
            put(byte);
        for (unsigned lead = 0x81; lead <= 0xFF; ++lead)
            for (unsigned trail = 0; trail <= 0xFF; ++trail)
                put(lead * 256 + trail);
        return codes;
    }();
    return table;
}

// Decodes code page 936 as Cp936ToUtf8 does, a character at a time; a byte sequence without a
// Unicode character (a lone lead byte at the end, an unassigned code) goes to bad, which
// returns whether to go on.
template <typename Emit, typename Bad>
void DecodeCp936(std::string_view bytes, Emit put, Bad bad)
{
    const std::vector<char32_t> &table = Cp936Table();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        const bool pair = IsLeadByte(p[i]) && i + 1 < n;
        const char32_t c = pair ? table[p[i] * 256u + p[i + 1]] : IsLeadByte(p[i]) ? NoCharacter : table[p[i]];
        i += pair ? 2 : 1;
        if (c != NoCharacter)
            put(c);
        else if (!bad())
            return;
    }
}

// A file's text in the chosen encoding; false when its bytes are no text in it.
bool DecodeText(std::string_view bytes, CollectEncoding &encoding, std::u32string &text)
{
    if (encoding == CollectEncoding::Auto) {
        encoding = CollectEncoding::Utf8;
        if (DecodeText(bytes, encoding, text))
            return true;
        encoding = CollectEncoding::Cp936;
    }
    text.clear();
    bool valid = true;
    if (encoding == CollectEncoding::Cp936) {
        text.reserve(bytes.size());
        DecodeCp936(bytes, [&](char32_t c) { text.push_back(c); }, [&] { return valid = false; });
        return valid;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") // a byte order mark is no character of the text
        bytes.remove_prefix(3);
    text.reserve(bytes.size());
    DecodeUtf8(bytes, [&](char32_t c) { text.push_back(c); }, [&] { return valid = false; });
    return valid;
}

// Bytes that escapes put into a narrow literal, decoded in the literal's encoding once the
// literal (and the literals next to it) end; invalid sequences give nothing.
void AddBytes(std::string_view bytes, bool utf8, Found &found)
{
    if (utf8)
        DecodeUtf8(bytes, [&](char32_t c) { found.Add(c); }, [] { return true; });
    else
        DecodeCp936(bytes, [&](char32_t c) { found.Add(c); }, [] { return true; });
}

bool IsHexDigit(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char32_t c) { return c <= '9' ? int(c - '0') : int((c | 0x20) - 'a' + 10); }
bool IsIdentifierChar(char32_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' || c >= 0x80;
}

// How a literal's escapes and characters become characters.
enum class LiteralKind {
    Narrow, // "..": escapes give bytes in the file's encoding
    Utf8,   // u8"..": escapes give UTF-8 bytes
    Wide,   // u"..", U"..", L"..": an escape's value is the character
    Yaml,   // a YAML double-quoted scalar: as Wide, but \x takes two digits and \N \_ \L \P
};

// One piece of a literal: a character as written (or named by \u), or an escape's value.
struct Piece
{
    char32_t Value;
    bool IsEscape;
};

// Adjacent string literals joined into one ("\xE6\xB8" "\xA9" is one character), read when
// something else comes. The joined literal has the prefix one of them has (L"A" "\x6E29" is
// wide throughout); its escapes are bytes when it is narrow (read in the file's encoding, or as
// UTF-8 for u8), characters when wide, where two UTF-16 halves make one (u"\xD83D\xDE00").
class LiteralPieces
{
public:
    LiteralPieces(Found &found, CollectEncoding encoding) : m_found(found), m_fileIsUtf8(encoding == CollectEncoding::Utf8)
    {}
    ~LiteralPieces() { Flush(); }
    LiteralPieces(const LiteralPieces &) = delete;
    LiteralPieces &operator=(const LiteralPieces &) = delete;

    void Literal(const std::vector<Piece> &pieces, LiteralKind kind)
    {
        if (kind != LiteralKind::Narrow) {
            if (m_kind != LiteralKind::Narrow && m_kind != kind)
                Flush(); // u8"" next to u"" is no one literal
            m_kind = kind;
        }
        m_pieces.insert(m_pieces.end(), pieces.begin(), pieces.end());
    }
    // Something other than a literal came: the joined literal is whole.
    void Flush()
    {
        const bool wide = m_kind == LiteralKind::Wide || m_kind == LiteralKind::Yaml;
        std::string bytes;
        const auto addBytes = [&] {
            AddBytes(bytes, m_kind == LiteralKind::Utf8 || m_fileIsUtf8, m_found);
            bytes.clear();
        };
        char32_t high = 0;
        for (const Piece &piece : m_pieces) {
            if (piece.IsEscape && !wide) {
                if (piece.Value <= 0xFF) // a larger one is too large for a byte: nothing
                    bytes.push_back(char(piece.Value));
                continue;
            }
            addBytes();
            char32_t c = piece.Value;
            if (high && c >= 0xDC00 && c <= 0xDFFF)
                c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
            high = c >= 0xD800 && c <= 0xDBFF ? c : 0;
            m_found.Add(c);
        }
        addBytes();
        m_pieces.clear();
        m_kind = LiteralKind::Narrow;
    }

private:
    Found &m_found;
    bool m_fileIsUtf8;
    std::vector<Piece> m_pieces;
    LiteralKind m_kind = LiteralKind::Narrow;
};

// Reads a quoted literal's body from just after its opening quote, with C escapes and line
// splices. Returns where it ends (after the closing quote); a literal not closed on its line is
// no literal: npos, and none of it counts.
size_t ReadQuoted(std::u32string_view t, size_t i, char32_t quote, LiteralKind kind, LiteralPieces &pieces)
{
    std::vector<Piece> read;
    const auto value = [&](uint32_t v) { read.push_back({char32_t(v), true}); };
    const size_t n = t.size();
    while (i < n) {
        const char32_t c = t[i];
        if (c == quote) {
            pieces.Literal(read, kind);
            return i + 1;
        }
        if (c == '\n')
            return std::u32string_view::npos;
        if (c != '\\' || i + 1 >= n) {
            read.push_back({c, false});
            ++i;
            continue;
        }
        const char32_t e = t[i + 1];
        i += 2;
        switch (e) {
        case '\n': // a line splice
            break;
        case '\r':
            if (i < n && t[i] == '\n')
                ++i;
            break;
        case 'n': value('\n'); break;
        case 't': value('\t'); break;
        case 'r': value('\r'); break;
        case 'a': value('\a'); break;
        case 'b': value('\b'); break;
        case 'f': value('\f'); break;
        case 'v': value('\v'); break;
        case 'e': value(0x1B); break;
        case 'x': {
            uint32_t v = 0;
            bool any = false, tooLarge = false;
            for (size_t k = 0; i < n && IsHexDigit(t[i]) && (kind != LiteralKind::Yaml || k < 2); ++i, ++k, any = true) {
                tooLarge |= v > 0x0FFFFFFF;
                v = (v << 4) | uint32_t(HexValue(t[i]));
            }
            if (any && !tooLarge)
                value(v);
            break;
        }
        case 'u':
        case 'U': {
            const size_t digits = e == 'u' ? 4 : 8;
            uint32_t v = 0;
            size_t k = 0;
            for (; k < digits && i < n && IsHexDigit(t[i]); ++k, ++i)
                v = (v << 4) | uint32_t(HexValue(t[i]));
            if (k == digits && v <= MaxCodePoint && !IsSurrogate(v))
                read.push_back({char32_t(v), false}); // a character whatever the literal's kind
            break;
        }
        default:
            if (kind == LiteralKind::Yaml && (e == 'N' || e == '_' || e == 'L' || e == 'P')) {
                value(e == 'N' ? 0x85 : e == '_' ? 0xA0 : e == 'L' ? 0x2028 : 0x2029);
            } else if (e >= '0' && e <= '7') {
                uint32_t v = uint32_t(e - '0');
                for (int k = 1; k < 3 && i < n && t[i] >= '0' && t[i] <= '7'; ++k, ++i)
                    v = v * 8 + uint32_t(t[i] - '0');
                value(v);
            } else {
                read.push_back({e, false}); // \\ \" \' \? and unknown escapes: the character itself
            }
        }
    }
    return std::u32string_view::npos;
}

// Reads a raw literal from just after R": d-char sequence, "(", body, ")", the sequence, '"'.
// Returns where it ends: the text's end when it has none; npos when it has no proper opening (it
// is no literal then). Nothing counts unless it ends.
size_t ReadRaw(std::u32string_view t, size_t i, LiteralKind kind, LiteralPieces &pieces)
{
    const size_t open = t.find(U'(', i);
    if (open == std::u32string_view::npos || open - i > 16)
        return std::u32string_view::npos;
    std::u32string close = U")";
    close.append(t.substr(i, open - i));
    for (char32_t c : close)
        if (c == ' ' || c == '\\' || c == '\t' || c == '\n' || c == '"')
            return std::u32string_view::npos;
    if (close.find(U')', 1) != std::u32string::npos)
        return std::u32string_view::npos;
    close.push_back('"');
    const size_t end = t.find(close, open + 1);
    if (end == std::u32string_view::npos)
        return t.size();
    std::vector<Piece> read;
    for (size_t k = open + 1; k < end; ++k)
        read.push_back({t[k], false});
    pieces.Literal(read, kind);
    return end + close.size();
}

void ScanC(std::u32string_view t, const CollectOptions &options, Found &found)
{
    LiteralPieces pieces(found, options.Encoding);
    const size_t n = t.size();
    const auto comment = [&](char32_t c) {
        if (options.Comments)
            found.Add(c);
    };
    size_t i = 0;
    while (i < n) {
        const char32_t c = t[i];
        const char32_t next = i + 1 < n ? t[i + 1] : 0;
        if (c == '/' && next == '/') {
            for (i += 2; i < n && t[i] != '\n'; ++i) {
                if (t[i] == '\\' && i + 1 < n && (t[i + 1] == '\n' || t[i + 1] == '\r')) {
                    i += t[i + 1] == '\r' && i + 2 < n && t[i + 2] == '\n' ? 2 : 1;
                    continue;
                }
                comment(t[i]);
            }
            continue;
        }
        if (c == '/' && next == '*') {
            const size_t end = t.find(U"*/", i + 2);
            const size_t stop = end == std::u32string_view::npos ? n : end;
            for (size_t k = i + 2; k < stop; ++k)
                if (t[k] != '\\' || k + 1 == stop || (t[k + 1] != '\n' && t[k + 1] != '\r')) // not a line splice
                    comment(t[k]);
            i = end == std::u32string_view::npos ? n : end + 2;
            continue;
        }
        if (c == '"' || c == '\'') {
            if (c == '\'')
                pieces.Flush(); // a character literal joins no other
            const size_t end = ReadQuoted(t, i + 1, c, LiteralKind::Narrow, pieces);
            if (c == '\'' || end == std::u32string_view::npos)
                pieces.Flush();
            i = end == std::u32string_view::npos ? std::min(n, t.find(U'\n', i + 1)) : end;
            continue;
        }
        if (c >= '0' && c <= '9') {
            // A number, with its digit separators (1'000) and exponent signs.
            for (++i; i < n; ++i) {
                const char32_t d = t[i];
                if (IsIdentifierChar(d) || d == '.')
                    continue;
                if (d == '\'' && i + 1 < n && IsIdentifierChar(t[i + 1]))
                    continue;
                if ((d == '+' || d == '-') && ((t[i - 1] | 0x20) == 'e' || (t[i - 1] | 0x20) == 'p'))
                    continue;
                break;
            }
            pieces.Flush();
            continue;
        }
        if (IsIdentifierChar(c)) {
            const size_t start = i;
            while (i < n && IsIdentifierChar(t[i]))
                ++i;
            const std::u32string_view word = t.substr(start, i - start);
            const char32_t quote = i < n ? t[i] : 0;
            if (quote == '"' || quote == '\'') {
                const bool raw = !word.empty() && word.back() == 'R' && quote == '"';
                const std::u32string_view prefix = raw ? word.substr(0, word.size() - 1) : word;
                const bool isPrefix = prefix.empty() || prefix == U"u8" || prefix == U"u" || prefix == U"U" || prefix == U"L";
                if (isPrefix && !(raw && quote != '"')) {
                    const LiteralKind kind = prefix.empty() ? LiteralKind::Narrow
                                             : prefix == U"u8" ? LiteralKind::Utf8
                                                               : LiteralKind::Wide;
                    if (quote == '\'')
                        pieces.Flush();
                    const size_t end = raw ? ReadRaw(t, i + 1, kind, pieces) : ReadQuoted(t, i + 1, quote, kind, pieces);
                    if (quote == '\'' || end == std::u32string_view::npos)
                        pieces.Flush();
                    i = end == std::u32string_view::npos ? std::min(n, t.find(U'\n', i + 1)) : end;
                    continue;
                }
            }
            pieces.Flush();
            continue;
        }
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v')
            pieces.Flush();
        ++i;
    }
}

// The lines of a text, without their line ends.
template <typename Each>
void ForEachLine(std::u32string_view t, Each each)
{
    for (size_t start = 0; start <= t.size();) {
        size_t end = t.find(U'\n', start);
        if (end == std::u32string_view::npos)
            end = t.size();
        std::u32string_view line = t.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        each(line);
        start = end + 1;
    }
}

std::u32string_view TrimStart(std::u32string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

std::u32string_view TrimEnd(std::u32string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool StartsWithWord(std::u32string_view line, std::u32string_view word)
{
    return line.substr(0, word.size()) == word
           && (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t'
               || line[word.size()] == '[' || line[word.size()] == '"');
}

// gettext catalogues: the strings of msgstr and msgstr[N], with their continuation lines joined.
// The entry of msgid "" is the catalogue's header (translators' names, plural rules), which no
// device shows: it is left out.
void ScanPo(std::u32string_view t, const CollectOptions &options, Found &found)
{
    LiteralPieces pieces(found, options.Encoding);
    enum { Other, Msgid, Msgstr } part = Other;
    bool header = false, context = false; // an entry with a context is no header
    ForEachLine(t, [&](std::u32string_view line) {
        line = TrimEnd(TrimStart(line));
        if (line.empty() || line.front() != '"') {
            pieces.Flush();
            part = Other;
            if (StartsWithWord(line, U"msgctxt")) {
                context = true;
            } else if (StartsWithWord(line, U"msgid")) {
                part = Msgid;
                header = TrimStart(line.substr(5)) == U"\"\"" && !context;
                context = false;
            } else if (StartsWithWord(line, U"msgstr")) {
                part = Msgstr;
            }
        } else if (part == Msgid && line != U"\"\"") {
            header = false;
        }
        if (part != Msgstr || header)
            return;
        // Every string on the line: msgstr "a" "b" is "ab".
        for (size_t quote = line.find(U'"'); quote != std::u32string_view::npos; quote = line.find(U'"', quote)) {
            quote = ReadQuoted(line, quote + 1, '"', LiteralKind::Narrow, pieces);
            if (quote == std::u32string_view::npos)
                break;
        }
    });
}

// JSON: the strings that are values, not the keys of objects.
void ScanJson(std::u32string_view t, Found &found)
{
    std::vector<bool> inObject; // the containers open, innermost last
    bool expectKey = false;
    const size_t n = t.size();
    for (size_t i = 0; i < n; ++i) {
        const char32_t c = t[i];
        if (c == '{' || c == '[') {
            inObject.push_back(c == '{');
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            if (!inObject.empty())
                inObject.pop_back();
            expectKey = false;
        } else if (c == ',') {
            expectKey = !inObject.empty() && inObject.back();
        } else if (c == ':') {
            expectKey = false;
        } else if (c == '/' && i + 1 < n && (t[i + 1] == '/' || t[i + 1] == '*')) {
            // Comments, which JSON has not but files named .json often do: no values.
            const size_t end = t[i + 1] == '/' ? t.find(U'\n', i) : t.find(U"*/", i + 2);
            i = end == std::u32string_view::npos ? n : end + (t[i + 1] == '*');
        } else if (c == '"') {
            const bool value = !expectKey;
            std::u32string s;
            char32_t high = 0; // a high surrogate waiting for its low half
            for (++i; i < n && t[i] != '"'; ++i) {
                char32_t d = t[i];
                if (d == '\\' && i + 1 < n) {
                    const char32_t e = t[++i];
                    d = e == 'n' ? U'\n' : e == 't' ? U'\t' : e == 'r' ? U'\r' : e == 'b' ? U'\b' : e == 'f' ? U'\f' : e;
                    if (e == 'u') {
                        uint32_t v = 0;
                        size_t k = 0;
                        for (; k < 4 && i + 1 < n && IsHexDigit(t[i + 1]); ++k, ++i)
                            v = (v << 4) | uint32_t(HexValue(t[i + 1]));
                        if (k < 4)
                            continue;
                        if (v >= 0xD800 && v <= 0xDBFF) {
                            high = v;
                            continue;
                        }
                        if (v >= 0xDC00 && v <= 0xDFFF) {
                            if (high)
                                s.push_back(0x10000 + ((high - 0xD800) << 10) + (v - 0xDC00));
                            high = 0;
                            continue;
                        }
                        d = v;
                    }
                }
                high = 0;
                s.push_back(d);
            }
            if (value)
                for (char32_t k : s)
                    found.Add(k);
        }
    }
}

// The key colon of a YAML line ("key: value", "key:"), outside quotes and before a comment;
// npos when the line has none.
size_t YamlKeyColon(std::u32string_view line)
{
    char32_t quote = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char32_t c = line[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else if (c == '\\' && quote == '"')
                ++i;
        } else if ((c == '"' || c == '\'') && (i == 0 || line[i - 1] == ' ')) {
            quote = c;
        } else if (c == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return std::u32string_view::npos;
        } else if (c == ':' && (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t')) {
            return i;
        } else if ((c == '[' || c == '{') && i == 0) {
            return std::u32string_view::npos;
        }
    }
    return std::u32string_view::npos;
}

// Where a YAML quoted scalar (v starts with its quote) ends: just after its closing quote; npos
// when it is not closed.
size_t QuotedEnd(std::u32string_view v)
{
    for (size_t i = 1; i < v.size(); ++i) {
        if (v[0] == '"' && v[i] == '\\')
            ++i;
        else if (v[i] == v[0] && v[0] == '\'' && i + 1 < v.size() && v[i + 1] == '\'')
            ++i; // '' in single quotes
        else if (v[i] == v[0])
            return i + 1;
    }
    return std::u32string_view::npos;
}

// One YAML scalar written on a line: quoted (with its escapes), a flow collection's values, or
// plain up to a comment.
void AddYamlValue(std::u32string_view v, Found &found)
{
    v = TrimStart(v);
    while (!v.empty() && (v.front() == '&' || v.front() == '!' || v.front() == '*')) { // anchors, tags, aliases
        const size_t space = v.find(U' ');
        if (v.front() == '*' || space == std::u32string_view::npos)
            return;
        v = TrimStart(v.substr(space));
    }
    if (v.empty())
        return;
    if (v.front() == '"') {
        LiteralPieces pieces(found, CollectEncoding::Utf8);
        if (ReadQuoted(v, 1, '"', LiteralKind::Yaml, pieces) == std::u32string_view::npos)
            for (char32_t c : v.substr(1))
                found.Add(c);
        return;
    }
    if (v.front() == '\'') {
        for (size_t i = 1; i < v.size(); ++i) {
            if (v[i] == '\'') {
                if (i + 1 < v.size() && v[i + 1] == '\'')
                    ++i;
                else
                    return;
            }
            found.Add(v[i]);
        }
        return;
    }
    if (v.front() == '[' || v.front() == '{') {
        // Split at the flow indicators outside quotes, up to a comment; an entry "key: value" gives
        // its value.
        size_t start = 0;
        char32_t quote = 0;
        for (size_t i = 0; i <= v.size(); ++i) {
            const bool comment = i < v.size() && !quote && v[i] == '#' && i > 0 && (v[i - 1] == ' ' || v[i - 1] == '\t');
            if (i < v.size() && quote) {
                if (v[i] == quote)
                    quote = 0;
                else if (v[i] == '\\' && quote == '"')
                    ++i;
                continue;
            }
            const std::u32string_view before = TrimEnd(v.substr(start, i - start));
            if (i < v.size() && (v[i] == '"' || v[i] == '\'') && (before.empty() || before.back() == ':'))
                quote = v[i]; // a quoted entry, key or value
            if (i < v.size() && !comment && v[i] != '[' && v[i] != ']' && v[i] != '{' && v[i] != '}' && v[i] != ',')
                continue;
            std::u32string_view entry = TrimEnd(TrimStart(v.substr(start, i - start)));
            start = i + 1;
            const size_t colon = YamlKeyColon(entry);
            if (colon != std::u32string_view::npos)
                entry = entry.substr(colon + 1);
            if (!TrimStart(entry).empty())
                AddYamlValue(entry, found);
            if (comment)
                break;
        }
        return;
    }
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '#' && i > 0 && (v[i - 1] == ' ' || v[i - 1] == '\t'))
            v = v.substr(0, i);
    }
    for (char32_t c : TrimEnd(v))
        found.Add(c);
}

// YAML: the values of "key: value" and "- value" lines, block scalars' lines and plain lines
// continuing a value; not keys, nor comments, nor document markers and directives.
void ScanYaml(std::u32string_view t, Found &found)
{
    bool inBlock = false;
    size_t blockParentIndent = 0;
    size_t blockIndent = 0; // the indentation of the block's first line
    std::u32string quoted;  // a quoted scalar not closed on its line: its lines so far, folded
    ForEachLine(t, [&](std::u32string_view line) {
        const std::u32string_view content = TrimStart(line);
        const size_t indent = line.size() - content.size();
        if (!quoted.empty()) {
            if (!TrimEnd(content).empty())
                quoted.append(U" ").append(TrimEnd(content));
            if (QuotedEnd(quoted) != std::u32string_view::npos) {
                AddYamlValue(quoted, found);
                quoted.clear();
            }
            return;
        }
        if (inBlock) {
            if (content.empty())
                return;
            if (indent > blockParentIndent) {
                if (blockIndent == 0)
                    blockIndent = indent;
                for (char32_t c : line.substr(std::min(indent, blockIndent)))
                    found.Add(c);
                return;
            }
            inBlock = false;
        }
        if (content.empty() || content.front() == '#' || content.front() == '%' || content.substr(0, 3) == U"---"
            || content.substr(0, 3) == U"...")
            return;
        std::u32string_view rest = content;
        while (!rest.empty() && rest.front() == '-' && (rest.size() == 1 || rest[1] == ' ' || rest[1] == '\t'))
            rest = TrimStart(rest.substr(1));
        const size_t colon = YamlKeyColon(rest);
        std::u32string_view value = colon == std::u32string_view::npos ? rest : TrimStart(rest.substr(colon + 1));
        if (!value.empty() && (value.front() == '|' || value.front() == '>')) {
            // The block's lines are indented past its key ("- key: |": past the key, not the
            // dash), or past the dash of "- |".
            inBlock = true;
            blockParentIndent = colon == std::u32string_view::npos ? indent : line.size() - rest.size();
            blockIndent = 0;
            return;
        }
        if (!value.empty() && (value.front() == '"' || value.front() == '\'') && QuotedEnd(value) == std::u32string_view::npos)
            quoted = value; // continued on the next lines
        else
            AddYamlValue(value, found);
    });
    if (!quoted.empty())
        AddYamlValue(quoted, found);
}

void ScanText(std::u32string_view t, const CollectOptions &options, SourceKind kind, Found &found)
{
    switch (kind) {
    case SourceKind::C:
        return ScanC(t, options, found);
    case SourceKind::Po:
        return ScanPo(t, options, found);
    case SourceKind::Json:
        return ScanJson(t, found);
    case SourceKind::Yaml:
        return ScanYaml(t, found);
    case SourceKind::Text:
        for (char32_t c : t)
            found.Add(c);
        return;
    }
}

bool IsBinary(std::string_view bytes)
{
    return std::memchr(bytes.data(), 0, std::min(bytes.size(), BinaryProbeBytes)) != nullptr;
}

QString PathText(const fs::path &path) { return QFile::decodeName(QByteArray::fromStdString(path.native())); }

class Walk
{
public:
    Walk(const CollectOptions &options, CollectResult &result) : m_options(options), m_result(result) {}

    // False after recording the failure.
    bool Path(const fs::path &path, bool given)
    {
        if (m_options.Control && m_options.Control->Cancelled()) {
            m_result.Cancelled = true;
            return false;
        }
        std::error_code ec;
        const fs::file_status status = fs::status(path, ec);
        if (ec || status.type() == fs::file_type::not_found) {
            // A link met in a walk that leads nowhere (an editor's lock file, a link to a file
            // not made yet) names nothing to read.
            std::error_code linkError;
            if (!given && fs::is_symlink(fs::symlink_status(path, linkError)))
                return true;
            if (status.type() == fs::file_type::not_found || ec == std::errc::no_such_file_or_directory)
                return Fail({FailureCode::NoSuchPath, PathText(path), {}, {}});
            return Fail({FailureCode::OpenForReading, PathText(path), QString::fromStdString(ec.message()), {}});
        }
        if (fs::is_directory(status)) {
            if (!given) {
                if (fs::is_symlink(fs::symlink_status(path, ec)))
                    return true; // a link to a folder is not followed: the walk cannot loop
                if (IsSkippedFolderName(QFile::decodeName(QByteArray::fromStdString(path.filename().native())))) {
                    m_result.Skipped.push_back({PathText(path), CollectSkip::Folder});
                    return true;
                }
            }
            return Folder(path);
        }
        if (!fs::is_regular_file(status) && !given)
            return true; // devices, pipes and sockets met in a walk are no source files
        return File(path);
    }

    Found found;

private:
    bool Fail(Failure failure)
    {
        m_result.Error = std::move(failure);
        return false;
    }

    bool Folder(const fs::path &path)
    {
        m_result.Inputs.push_back(PathText(path));
        std::error_code ec;
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        if (ec)
            return Fail({FailureCode::OpenForReading, PathText(path), QString::fromStdString(ec.message()), {}});
        std::sort(entries.begin(), entries.end());
        for (const fs::path &entry : entries)
            if (!Path(entry, false))
                return false;
        return true;
    }

    bool File(const fs::path &path)
    {
        const QString name = PathText(path);
        m_result.Inputs.push_back(name);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return Fail({FailureCode::OpenForReading, name, file.errorString(), {}});
        m_bytes.clear();
        char buffer[1 << 16];
        for (;;) {
            const qint64 got = file.read(buffer, sizeof buffer);
            if (got < 0)
                return Fail({FailureCode::Read, name, file.errorString(), {}});
            if (got == 0)
                break;
            m_bytes.append(buffer, size_t(got));
        }
        if (IsBinary(m_bytes)) {
            m_result.Skipped.push_back({name, CollectSkip::Binary});
            return true;
        }
        CollectOptions read = m_options; // in the encoding this file was found in
        if (!DecodeText(m_bytes, read.Encoding, m_text)) {
            m_result.Skipped.push_back({name, CollectSkip::NotText});
            return true;
        }
        ScanText(m_text, read, SourceKindOf(name), found);
        ++m_result.FilesRead;
        if (m_options.Control)
            m_options.Control->Advance();
        return true;
    }

    const CollectOptions &m_options;
    CollectResult &m_result;
    std::string m_bytes;
    std::u32string m_text;
};

} // namespace

SourceKind SourceKindOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    static const QStringList c = {QStringLiteral("c"),   QStringLiteral("h"),   QStringLiteral("cc"),
                                  QStringLiteral("cpp"), QStringLiteral("cxx"), QStringLiteral("hpp"),
                                  QStringLiteral("hh"),  QStringLiteral("ino")};
    if (c.contains(suffix))
        return SourceKind::C;
    if (suffix == QLatin1String("po") || suffix == QLatin1String("pot"))
        return SourceKind::Po;
    if (suffix == QLatin1String("json"))
        return SourceKind::Json;
    if (suffix == QLatin1String("yaml") || suffix == QLatin1String("yml"))
        return SourceKind::Yaml;
    return SourceKind::Text;
}

bool CollectFromBytes(std::string_view bytes, SourceKind kind, const CollectOptions &options,
                      std::vector<char32_t> &characters)
{
    characters.clear();
    std::u32string text;
    CollectOptions read = options;
    if (IsBinary(bytes) || !DecodeText(bytes, read.Encoding, text))
        return false;
    Found found;
    ScanText(text, read, kind, found);
    characters = found.Sorted();
    return true;
}

bool IsSkippedFolderName(const QString &name)
{
    static const QStringList names = {QStringLiteral(".git"),         QStringLiteral(".hg"),  QStringLiteral(".svn"),
                                      QStringLiteral("build"),        QStringLiteral(".pio"), QStringLiteral("out"),
                                      QStringLiteral("node_modules"), QStringLiteral("dist")};
    return names.contains(name) || name.startsWith(QLatin1String("build-"))
           || name.startsWith(QLatin1String("cmake-build-"));
}

CollectResult CollectCharacters(const QStringList &paths, const CollectOptions &options)
{
    CollectResult result;
    Walk walk(options, result);
    for (const QString &path : paths) {
        if (!walk.Path(fs::path(QFile::encodeName(path).toStdString()), true)) {
            result.FilesRead = 0;
            result.Inputs.clear();
            return result;
        }
    }
    result.Characters = walk.found.Sorted();
    return result;
}
