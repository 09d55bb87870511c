// The character list operations: duplicate removal, the filter, the sort and typed characters,
// with the counts the list pane shows.

#include "charset/charlist.h"
#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "common/testutil.h"

#include <gtest/gtest.h>

#include <random>

using testutil::Gbk;

// Byte strings below: 汉 BABA (han), 字 D7D6 (zi), 中 D6D0, 忠 D6D2, 钟 D6D3 (all zhong), 覦 D361
// (its second byte is 'a'), full-width comma ， A3AC (no reading), € 80 (a one-byte character).

TEST(RemoveDuplicates, KeepsFirstOccurrencesAndDropsLineBreaks)
{
    const struct {
        std::string list;
        std::string kept;
        int count;
    } cases[] = {
        {Gbk("aa汉汉\r\nb"), Gbk("a汉b"), 3},
        {"", "", 0},
        {"\r\n\r\n", "", 0},
        // 'a' inside 覦 is not the character 'a', and 覦 is not 'a' either.
        {Gbk("覦aa覦"), Gbk("覦a"), 2},
        {"\x80\x80x\x80", "\x80x", 2},
        // A lone lead byte at the end is a character of its own.
        {Gbk("汉") + "\xD6", Gbk("汉") + "\xD6", 2},
        {Gbk("汉汉") + "\xBA", Gbk("汉") + "\xBA", 2},
        // A lead byte before LF pairs with it: a two-byte character, not a line break.
        {"\xD6\n", "\xD6\n", 1},
    };
    for (const auto &c : cases) {
        const CharList result = RemoveDuplicates(c.list);
        EXPECT_EQ(result.Text, c.kept) << Cp936ToUtf8(c.list);
        EXPECT_EQ(result.Count, c.count) << Cp936ToUtf8(c.list);
    }
}

TEST(FilterSingleByte, KeepsTwoByteCharactersWithReadingsOnce)
{
    const struct {
        std::string list;
        std::string kept;
    } cases[] = {
        {Gbk("a汉，汉b字"), Gbk("汉字")},
        {"", ""},
        {"abc 123\r\n\x80", ""},
        {Gbk("，。ＡＢ"), ""},       // full-width punctuation and letters have no reading
        {Gbk("字汉字\r\n汉"), Gbk("字汉")},
        {Gbk("覦a"), Gbk("覦")},
        {Gbk("字") + "\xBA", Gbk("字")}, // a lone lead byte is a one-byte character
    };
    for (const auto &c : cases) {
        const CharList result = FilterSingleByte(c.list);
        EXPECT_EQ(result.Text, c.kept) << Cp936ToUtf8(c.list);
        EXPECT_EQ(result.Count, int(CountChars(c.kept))) << Cp936ToUtf8(c.list);
    }
}

TEST(SortList, OneByteCharactersFirstInByteOrderThenByReading)
{
    const struct {
        std::string list;
        std::string sorted;
    } cases[] = {
        {Gbk("字ba汉"), Gbk("ab汉字")},
        {"zZ9 a0A", " 09AZaz"},
        {"", ""},
        // Equal readings come out reversed.
        {Gbk("中忠钟"), Gbk("钟忠中")},
        {Gbk("中忠"), Gbk("忠中")},
        {Gbk("中忠字钟"), Gbk("钟中忠字")}, // not simply reversed: 字 between them changes it
        {Gbk("字中汉忠"), Gbk("汉忠中字")},
        // No reading sorts before every reading.
        {Gbk("字，汉"), Gbk("，汉字")},
        // 0x80 stays, with the one-byte characters; line breaks are sorted like any byte.
        {Gbk("汉") + "\x80" + "b\r\n", "\n\rb\x80" + Gbk("汉")},
        // A lone lead byte stays last, where it cannot pair with a byte after it.
        {Gbk("字汉a") + "\xD6", Gbk("a汉字") + "\xD6"},
    };
    for (const auto &c : cases) {
        const CharList result = SortList(c.list, 42);
        EXPECT_EQ(result.Text, c.sorted) << Cp936ToUtf8(c.list);
        EXPECT_EQ(result.Count, 42) << "the sort leaves the count alone";
    }
}

TEST(AddTypedCharacter, AppendsOnlyCharactersTheListLacks)
{
    const struct {
        std::string list;
        std::string ch;
        std::string after;
        int count;
    } cases[] = {
        {Gbk("a汉"), Gbk("字"), Gbk("a汉字"), 8},
        {Gbk("a汉"), Gbk("汉"), Gbk("a汉"), 7},
        {"", "x", "x", 8},
        {Gbk("覦"), "a", Gbk("覦a"), 8}, // the 'a' inside 覦 is not the character 'a'
        {"a", "", "a", 7},
        {"a", "bc", "a", 7},             // not one character
        {"a", "\xD6", "a", 7},           // half a character
    };
    for (const auto &c : cases) {
        const CharList result = AddTypedCharacter(c.list, 7, c.ch);
        EXPECT_EQ(result.Text, c.after) << Cp936ToUtf8(c.list) << " + " << Cp936ToUtf8(c.ch);
        EXPECT_EQ(result.Count, c.count) << Cp936ToUtf8(c.list) << " + " << Cp936ToUtf8(c.ch);
    }
}

// Duplicate removal and the sort as the list pane has always done them, searching the output for
// every character and bubble-sorting the readings. The library must give the same lists.
namespace reference {

CharList RemoveDuplicates(const std::string &list)
{
    CharList out;
    for (size_t pos = 0; pos < list.size();) {
        const unsigned char first = static_cast<unsigned char>(list[pos]);
        if (first == 0x0A || first == 0x0D) {
            ++pos;
            continue;
        }
        const size_t len = first > 0x80 && pos + 1 < list.size() ? 2 : 1;
        const std::string ch = list.substr(pos, len);
        if (!ContainsChar(out.Text, ch)) {
            out.Text += ch;
            ++out.Count;
        }
        pos += len;
    }
    return out;
}

std::string SortByPinyin(const std::string &twoBytes)
{
    const size_t n = twoBytes.size() / 2;
    std::vector<std::string> chars;
    std::vector<std::string> readings;
    for (size_t i = 0; i < n; ++i) {
        chars.push_back(twoBytes.substr(2 * i, 2));
        readings.push_back(GetPinyin(chars.back(), false));
    }
    for (size_t p = 1; p < n; ++p) {
        for (size_t j = 0; j + p < n; ++j) {
            if (readings[j] >= readings[j + 1]) {
                std::swap(readings[j], readings[j + 1]);
                std::swap(chars[j], chars[j + 1]);
            }
        }
    }
    std::string sorted;
    for (const std::string &ch : chars)
        sorted += ch;
    return sorted;
}

} // namespace reference

TEST(ListOperations, GiveTheListsOfTheStepByStepOperationsOnRandomLists)
{
    // Many characters share a reading; some have none; one-byte characters include ones that
    // are also second bytes ('a' of 覦) and line breaks.
    const std::vector<std::string> twoByte = {
        Gbk("中"), Gbk("忠"), Gbk("钟"), Gbk("终"), Gbk("汉"), Gbk("汗"), Gbk("旱"), Gbk("字"),
        Gbk("自"), Gbk("子"), Gbk("阿"), Gbk("啊"), Gbk("，"), Gbk("。"), Gbk("覦"), Gbk("Ａ")};
    const std::vector<std::string> oneByte = {"a", "b", "\r", "\n", " ", "\x80", "0"};
    std::mt19937 random(936);
    for (int round = 0; round < 400; ++round) {
        std::string list;
        std::string twoBytesOnly;
        const int length = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0) {
                list += oneByte[random() % oneByte.size()];
            } else {
                const std::string &ch = twoByte[random() % twoByte.size()];
                list += ch;
                twoBytesOnly += ch;
            }
        }
        if (random() % 8 == 0)
            list += "\xD6"; // a lone lead byte at the end

        const CharList deduped = RemoveDuplicates(list);
        const CharList expectedDeduped = reference::RemoveDuplicates(list);
        EXPECT_EQ(deduped.Text, expectedDeduped.Text) << Cp936ToUtf8(list);
        EXPECT_EQ(deduped.Count, expectedDeduped.Count) << Cp936ToUtf8(list);

        EXPECT_EQ(SortByPinyin(twoBytesOnly), reference::SortByPinyin(twoBytesOnly)) << Cp936ToUtf8(twoBytesOnly);
    }
}
