// The code page 936 character walk, last character, whole-character search and codec.

#include "charset/cp936.h"

#include <gtest/gtest.h>

// Byte strings below: 中 D6D0, 文 CEC4, 汉 BABA, € 80 (a one-byte character).

TEST(CharacterWalk, LeadByteAboveHexEightyStartsTwoByteCharacter)
{
    EXPECT_EQ(SplitChars("a\xD6\xD0" "b"), (std::vector<std::string>{"a", "\xD6\xD0", "b"}));
    // 0x80 is a one-byte character; 0x81 starts a pair even before an ASCII byte.
    EXPECT_EQ(SplitChars("\x80\x81" "A"), (std::vector<std::string>{"\x80", "\x81" "A"}));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(SplitChars("\xD6\xD0\xCE"), (std::vector<std::string>{"\xD6\xD0", "\xCE"}));
    EXPECT_EQ(CountChars("\xD6\xD0\xCE\xC4x"), 3u);
    EXPECT_EQ(CountChars(""), 0u);
}

TEST(LastCharOf, TakesWholeLastCharacter)
{
    const struct {
        const char *text;
        std::string last;
        std::string lastOfLine;
    } cases[] = {
        {"", "", ""},
        {"a", "a", "a"},
        {"\xBA\xBA\xD7\xD6", "\xD7\xD6", "\xD7\xD6"}, // 汉字 -> 字
        {"\xD6\xD0" "a", "a", "a"},
        {"a\xD6\xD0", "\xD6\xD0", "\xD6\xD0"},
        {"\xD6\xD0\n", "\n", ""},
        {"\xD6\xD0\r", "\r", ""},
        {"\xD6\xD0\xCE", "\xCE", "\xCE"}, // lone lead byte: itself, never a byte before it
        {"\xCE", "\xCE", "\xCE"},
        {"\xD6\x0A", "\xD6\x0A", "\xD6\x0A"}, // a pair, not a line break
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LastCharOf(c.text), c.last) << c.text;
        EXPECT_EQ(LastCharOfLine(c.text), c.lastOfLine) << c.text;
    }
}

TEST(FindChar, NeverMatchesInsideTwoByteCharacter)
{
    // 覦 is 0xD3 0x61: the 'a' inside must not be found as the character 'a'.
    EXPECT_EQ(FindChar("\xD3" "a", "a"), std::string::npos);
    EXPECT_EQ(FindChar("\xD3" "aa", "a"), 2u);
    // 中 inside "x中": found at 1; the pair "\xD0\xCE" spanning 中文 is not a character.
    EXPECT_EQ(FindChar("x\xD6\xD0\xCE\xC4", "\xD6\xD0"), 1u);
    EXPECT_EQ(FindChar("\xD6\xD0\xCE\xC4", "\xD0\xCE"), std::string::npos);
    EXPECT_FALSE(ContainsChar("abc", ""));
    EXPECT_TRUE(ContainsChar("a\xD6\xD0", "\xD6\xD0"));
    EXPECT_EQ(FindChar("aXbX", "X", 2), 3u);
}

TEST(Codec, ConvertsBothWaysAndReportsCharactersWithoutCode)
{
    EXPECT_EQ(Utf8ToCp936("中文 ok"), "\xD6\xD0\xCE\xC4 ok");
    EXPECT_EQ(Cp936ToUtf8("\xD6\xD0\xCE\xC4 ok"), "中文 ok");
    EXPECT_EQ(Utf8ToCp936("€"), "\x80");
    EXPECT_EQ(Cp936ToUtf8("\x80"), "€");

    std::vector<std::string> skipped;
    EXPECT_EQ(Utf8ToCp936("a😀中\xF0\x9F\x8E\xB8" "b", &skipped), "a\xD6\xD0" "b");
    EXPECT_EQ(skipped, (std::vector<std::string>{"😀", "🎸"}));
    // Broken UTF-8 is skipped as well, byte by byte, never read past the end.
    skipped.clear();
    EXPECT_EQ(Utf8ToCp936("x\xE4\xB8", &skipped), "x");
    EXPECT_EQ(skipped.size(), 1u);
}

TEST(Codec, UndecodableBytesBecomeReplacementCharacter)
{
    EXPECT_EQ(Cp936ToUtf8("a\xD6"), "a\xEF\xBF\xBD");  // lone lead byte at the end
    EXPECT_EQ(Cp936ToUtf8("\xFF\xFF" "b"), "\xEF\xBF\xBD" "b");
    EXPECT_EQ(Cp936ToQString("\xD6\xD0"), QString::fromUtf8("中"));
    EXPECT_EQ(QStringToCp936(QString::fromUtf8("汉")), "\xBA\xBA");
}
