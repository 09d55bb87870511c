#include "charset/pinyin.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Reading {
    const char *what;
    const char *character; // code page 936 bytes
    const char *reading;
};

const Reading kReadings[] = {
    {"zhong", "\xD6\xD0", "zhong"},       // 中, tone mark dropped
    {"han", "\xBA\xBA", "han"},           // 汉
    {"zi", "\xD7\xD6", "zi"},             // 字
    {"lv", "\xC2\xCC", "lv"},             // 绿, ǜ written v
    {"nv", "\xC5\xAE", "nv"},             // 女, ǚ written v
    {"lve", "\xC2\xD4", "lve"},           // 略, üè written ve
    {"xingFirstOfTwo", "\xD0\xD0", "xing"},  // 行, xíng háng: the first reading
    {"zhangFirstOfTwo", "\xB3\xA4", "zhang"}, // 长, zhǎng cháng
    {"neutralToneKeepsLastLetter", "\xC1\xCB", "le"}, // 了
    {"toneOnConsonantN", "\xE0\xC5", "n"},  // 嗯, ń
    {"toneOnConsonantM", "\x85\xDE", "m"},  // 呣, ḿ (GBK only)
    {"firstGbkCode", "\x81\x40", "kao"},    // 丂
    {"lastGb2312Hanzi", "\xF7\xFE", "zha"}, // 齄
    {"lastGbkHanzi", "\xFD\x9B", "yu"},     // 龥
};

class GetPinyinReadings : public ::testing::TestWithParam<Reading> {};

TEST_P(GetPinyinReadings, GivesBareSyllableOrNothingWhenNamesAreNumbered)
{
    EXPECT_EQ(GetPinyin(GetParam().character, false), GetParam().reading);
    EXPECT_EQ(GetPinyin(GetParam().character, true), "");
}

INSTANTIATE_TEST_SUITE_P(Characters, GetPinyinReadings, ::testing::ValuesIn(kReadings),
                         [](const auto &info) { return std::string(info.param.what); });

TEST(GetPinyin, GivesNothingForAnythingButOneTwoByteCharacterWithAReading)
{
    const char *const inputs[] = {
        "",                 // nothing
        "a", "1", "\x80",   // one-byte characters
        "\xD6",             // lone lead byte
        "ab", "\x80\xA1",   // two one-byte characters
        "\xD6\xD0\xD6\xD0", // 中中
        "\xD6\xD0" "a",     // 中a
        "a\xD6\xD0",        // a中
        "\xA1\xA1",         // ideographic space
        "\xA3\xE1",         // full-width a
        "\xD7\xFA",         // unassigned code at the end of the GB2312 hanzi
        "\x81\x7F",         // trail 0x7F is never used
        "\xB0\x3F",         // trail below 0x40
        "\xB0\xFF",         // trail above 0xFE
        "\xFF\xA1",         // lead above 0xFE
        "\xFE\xFE",         // last code of all, user-defined
    };
    for (const char *input : inputs)
        EXPECT_EQ(GetPinyin(input, false), "") << ::testing::PrintToString(std::string(input));
}

bool IsSyllable(const std::string &reading)
{
    if (reading.empty())
        return false;
    for (char c : reading)
        if (c < 'a' || c > 'z')
            return false;
    return true;
}

TEST(GetPinyin, GivesEveryGb2312HanziALowercaseSyllable)
{
    int covered = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail >= 0xFA)
                continue; // row 55 ends at 0xD7F9
            const std::string character{char(lead), char(trail)};
            const std::string reading = GetPinyin(character, false);
            EXPECT_TRUE(IsSyllable(reading)) << std::hex << lead << trail << " gives " << reading;
            covered += IsSyllable(reading);
        }
    EXPECT_EQ(covered, 6763);
}

TEST(GetPinyin, GivesReadingsToMostGbkHanziAndOnlySyllables)
{
    int withReading = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::string reading = GetPinyin(std::string{char(lead), char(trail)}, false);
            if (reading.empty())
                continue;
            EXPECT_TRUE(IsSyllable(reading)) << std::hex << lead << trail << " gives " << reading;
            ++withReading;
        }
    EXPECT_GE(withReading, 20000);
}

} // namespace
