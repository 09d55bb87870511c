// Any bytes as a code page 936 character list: the character walk, the codec and the list pane's
// operations, each checked against what it promises.
#include "fuzzsupport.h"

#include "charset/charlist.h"
#include "charset/cp936.h"
#include "charset/pinyin.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";

bool IsWellFormedUtf8(std::string_view text)
{
    for (size_t pos = 0; pos < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[pos]);
        size_t len;
        unsigned cp;
        if (b < 0x80) {
            ++pos;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (pos + len > text.size())
            return false;
        for (size_t i = 1; i < len; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[pos + i]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        const unsigned smallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < smallest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        pos += len;
    }
    return true;
}

// Each character of text as the walk must cut it, worked out from the rule alone.
std::vector<std::string> ExpectedChars(std::string_view text)
{
    std::vector<std::string> chars;
    for (size_t pos = 0; pos < text.size();) {
        const size_t len = static_cast<unsigned char>(text[pos]) > 0x80 && pos + 1 < text.size() ? 2 : 1;
        chars.emplace_back(text.substr(pos, len));
        pos += len;
    }
    return chars;
}

std::string Join(const std::vector<std::string> &parts)
{
    std::string joined;
    for (const std::string &part : parts)
        joined += part;
    return joined;
}

void CheckWalk(std::string_view text, const std::vector<std::string> &chars)
{
    Require(SplitChars(text) == chars, "SplitChars cuts by the lead-byte rule");
    Require(Join(chars) == text, "the characters make up the text");
    Require(CountChars(text) == chars.size(), "CountChars counts the characters");
    const std::string last = chars.empty() || chars.back() == std::string(1, '\0') ? std::string() : chars.back();
    Require(LastCharOf(text) == last, "LastCharOf is the last character");
    Require(LastCharOfLine(text) == (last == "\n" || last == "\r" ? std::string() : last),
            "LastCharOfLine is the last character unless a line break");

    // Whole-character search for a character of the text, and for the text's first one or two
    // bytes, which need not be a character of it.
    std::vector<std::string> wanted;
    if (!chars.empty()) {
        wanted.push_back(chars[static_cast<unsigned char>(text[0]) % chars.size()]);
        wanted.push_back(chars.back());
    }
    wanted.emplace_back(text.substr(0, 1));
    wanted.emplace_back(text.substr(0, 2));
    wanted.emplace_back(text.substr(text.size() > 2 ? 1 : 0, 2));
    for (const std::string &ch : wanted) {
        size_t expected = std::string_view::npos;
        size_t offset = 0;
        for (const std::string &c : chars) {
            if (!ch.empty() && c == ch) {
                expected = offset;
                break;
            }
            offset += c.size();
        }
        Require(FindChar(text, ch) == expected, "FindChar finds the first whole character");
        Require(ContainsChar(text, ch) == (expected != std::string_view::npos), "ContainsChar agrees with FindChar");
    }
}

void CheckCodec(std::string_view text, const std::vector<std::string> &chars)
{
    const std::string utf8 = Cp936ToUtf8(text);
    Require(IsWellFormedUtf8(utf8), "Cp936ToUtf8 gives well-formed UTF-8");
    const std::vector<std::string> decoded = Cp936ToUtf8Chars(text);
    Require(decoded.size() == chars.size(), "Cp936ToUtf8Chars gives one entry per character");
    Require(Join(decoded) == utf8, "the characters decode as the whole text does");
    for (size_t i = 0; i < chars.size(); ++i) {
        if (decoded[i] == Replacement)
            continue;
        Require(Utf8ToCp936(decoded[i]) == chars[i], "a decoded character encodes back to its bytes");
    }

    // The same bytes taken as UTF-8 the other way.
    std::vector<std::string> skipped;
    const std::string encoded = Utf8ToCp936(text, &skipped);
    const std::vector<std::string> perChar = Utf8ToCp936Chars(text);
    Require(Join(perChar) == encoded, "the characters encode as the whole text does");
    Require(size_t(std::count(perChar.begin(), perChar.end(), std::string())) == skipped.size(),
            "every character without a code is reported as skipped");
    for (const std::string &code : perChar) {
        if (code.empty())
            continue;
        // A one-byte code above 0x80 would join the next character when the codes are walked.
        Require(code.size() == 2 ? static_cast<unsigned char>(code[0]) > 0x80
                                 : code.size() == 1 && static_cast<unsigned char>(code[0]) <= 0x80,
                "a character's code is one whole code page 936 character");
    }
    for (const std::string &sequence : skipped)
        Require(!sequence.empty(), "a skipped character is named by its bytes");
    if (IsWellFormedUtf8(text) && skipped.empty())
        Require(Cp936ToUtf8(encoded) == text, "text with a code for every character comes back whole");
}

std::multiset<std::string> Counted(const std::vector<std::string> &chars)
{
    return std::multiset<std::string>(chars.begin(), chars.end());
}

// The pane's original sort on a short list: passes p = 1..n-1 over positions 0..n-1-p, swapping
// neighbours whenever the left reading is greater than or equal to the right one.
std::vector<std::string> BubbleSortByPinyin(std::vector<std::string> chars)
{
    const size_t n = chars.size();
    std::vector<std::string> readings;
    for (const std::string &ch : chars)
        readings.push_back(GetPinyin(ch, false));
    for (size_t p = 1; p < n; ++p) {
        for (size_t j = 0; j + p < n; ++j) {
            if (readings[j] >= readings[j + 1]) {
                std::swap(readings[j], readings[j + 1]);
                std::swap(chars[j], chars[j + 1]);
            }
        }
    }
    return chars;
}

void CheckListOperations(std::string_view text, const std::vector<std::string> &chars)
{
    const auto isLineBreak = [](const std::string &ch) { return ch == "\n" || ch == "\r"; };

    const CharList unique = RemoveDuplicates(text);
    const std::vector<std::string> uniqueChars = SplitChars(unique.Text);
    Require(unique.Count == int(uniqueChars.size()), "RemoveDuplicates counts what it keeps");
    std::set<std::string> expectedUnique;
    std::vector<std::string> firstOccurrences;
    for (const std::string &ch : chars)
        if (!isLineBreak(ch) && expectedUnique.insert(ch).second)
            firstOccurrences.push_back(ch);
    Require(uniqueChars == firstOccurrences, "RemoveDuplicates keeps first occurrences in order, no line breaks");

    const CharList filtered = FilterSingleByte(text);
    const std::vector<std::string> filteredChars = SplitChars(filtered.Text);
    Require(filtered.Count == int(filteredChars.size()), "FilterSingleByte counts what it keeps");
    std::vector<std::string> expectedFiltered;
    for (const std::string &ch : firstOccurrences)
        if (ch.size() == 2 && !GetPinyin(ch, false).empty())
            expectedFiltered.push_back(ch);
    Require(filteredChars == expectedFiltered, "FilterSingleByte keeps the first two-byte characters with a reading");

    const int count = int(text.size() % 97);
    const CharList sorted = SortList(text, count);
    Require(sorted.Count == count, "SortList leaves the count as given");
    Require(sorted.Text.size() == text.size(), "SortList keeps every byte");
    std::vector<std::string> singles;
    std::vector<std::string> pairs;
    std::string loneLead;
    for (const std::string &ch : chars) {
        if (ch.size() == 2)
            pairs.push_back(ch);
        else if (static_cast<unsigned char>(ch[0]) > 0x80)
            loneLead = ch;
        else
            singles.push_back(ch);
    }
    const std::vector<std::string> sortedChars = SplitChars(sorted.Text);
    Require(Counted(sortedChars) == Counted(chars), "SortList output is a permutation of the characters");
    Require(std::is_sorted(sortedChars.begin(), sortedChars.begin() + std::ptrdiff_t(singles.size()),
                           [](const std::string &a, const std::string &b) {
                               return static_cast<unsigned char>(a[0]) < static_cast<unsigned char>(b[0]);
                           }),
            "one-byte characters come first, in byte order");
    const auto pairsBegin = sortedChars.begin() + std::ptrdiff_t(singles.size());
    const std::vector<std::string> sortedPairs(pairsBegin, pairsBegin + std::ptrdiff_t(pairs.size()));
    for (size_t i = 0; i < sortedPairs.size(); ++i) {
        Require(sortedPairs[i].size() == 2, "two-byte characters follow the one-byte ones");
        if (i > 0)
            Require(GetPinyin(sortedPairs[i - 1], false) <= GetPinyin(sortedPairs[i], false),
                    "two-byte characters are in reading order");
    }
    if (!loneLead.empty())
        Require(sortedChars.back() == loneLead, "a lone lead byte stays at the very end");
    if (pairs.size() <= 200)
        Require(sortedPairs == BubbleSortByPinyin(pairs), "equal readings end in the pane's bubble-sort order");

    // Typing characters: a character of the list, the first character, and raw one or two bytes.
    std::vector<std::string> typed = {std::string(text.substr(0, 1)), std::string(text.substr(0, 2))};
    if (!chars.empty())
        typed.push_back(chars[chars.size() / 2]);
    for (const std::string &ch : typed) {
        const CharList added = AddTypedCharacter(text, count, ch);
        const bool oneChar = ch.size() == 1 ? static_cast<unsigned char>(ch[0]) <= 0x80
                                            : ch.size() == 2 && static_cast<unsigned char>(ch[0]) > 0x80;
        const bool present = std::find(chars.begin(), chars.end(), ch) != chars.end();
        if (oneChar && !present) {
            Require(added.Text == std::string(text) + ch && added.Count == count + 1,
                    "a new character is appended and counted");
        } else {
            Require(added.Text == text && added.Count == count, "a present or broken character changes nothing");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input itself, not a copy: a read past its end is caught by the sanitizer.
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> chars = ExpectedChars(text);
    CheckWalk(text, chars);
    CheckCodec(text, chars);
    CheckListOperations(text, chars);
    return 0;
}
