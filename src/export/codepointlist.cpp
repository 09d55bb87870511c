#include "codepointlist.h"

#include "charset/cp936.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// The one code point of a character's UTF-8 form; 0 when it is U+FFFD (the codec's mark for a
// character without one) or not a single code point.
char32_t SingleCodePoint(const std::string &utf8)
{
    const QList<uint> ucs4 = QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4();
    if (ucs4.size() != 1 || ucs4.front() == 0xFFFD)
        return 0;
    return char32_t(ucs4.front());
}

} // namespace

CodePointList MapToCodePoints(std::string_view list)
{
    CodePointList result;
    const std::vector<std::string> characters = SplitChars(list);
    const std::vector<std::string> utf8 = Cp936ToUtf8Chars(list);
    std::set<std::string> unmapped;
    result.Characters.reserve(characters.size());
    for (size_t i = 0; i < characters.size(); ++i) {
        const std::string &character = characters[i];
        if (character == "\r" || character == "\n") {
            ++result.LineBreaks;
            continue;
        }
        // A zero byte is U+0000 for the codec, but it ends a C string and draws nothing.
        const char32_t codePoint = character == std::string(1, '\0') ? 0 : SingleCodePoint(utf8[i]);
        if (codePoint == 0) {
            if (unmapped.insert(character).second)
                result.Unmapped.push_back(character);
            else
                ++result.Repeats;
            continue;
        }
        result.Characters.push_back({codePoint, character});
    }
    // The first of equal code points stays; the others are repeats.
    std::stable_sort(result.Characters.begin(), result.Characters.end(),
                     [](const CodePointChar &a, const CodePointChar &b) { return a.CodePoint < b.CodePoint; });
    const auto end = std::unique(result.Characters.begin(), result.Characters.end(),
                                 [](const CodePointChar &a, const CodePointChar &b) { return a.CodePoint == b.CodePoint; });
    result.Repeats += int(result.Characters.end() - end);
    result.Characters.erase(end, result.Characters.end());
    return result;
}

std::string UnmappedCharacterText(const std::string &character)
{
    std::string text;
    for (unsigned char byte : character) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s0x%02X", text.empty() ? "" : " ", byte);
        text += hex;
    }
    return text;
}
