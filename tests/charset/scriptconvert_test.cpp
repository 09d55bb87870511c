// Simplified/Traditional conversion of code page 936 text through OpenCC.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "charset/scriptconvert.h"
#include "common/testutil.h"

#include <gtest/gtest.h>

using testutil::Gbk;

TEST(ScriptConversion, ConvertsTwoByteCharactersAndPassesTheRestThrough)
{
    const struct {
        std::string simplified;
        std::string traditional;
    } cases[] = {
        {Gbk("汉"), Gbk("漢")},
        {Gbk("a1汉 b"), Gbk("a1漢 b")},
        {"", ""},
        {Gbk("头发"), Gbk("頭髮")}, // a word converts as a word
        {Gbk("汉\r\n字") + "\x80", Gbk("漢\r\n字") + "\x80"},
        {Gbk("汉") + "\xD6", Gbk("漢") + "\xD6"}, // a lone lead byte at the end stays
        {"\xAA\xA1" + Gbk("汉"), "\xAA\xA1" + Gbk("漢")}, // a code without a character stays
    };
    for (const auto &c : cases) {
        const ScriptConversion traditional = ToTraditional(c.simplified);
        EXPECT_FALSE(traditional.Error);
        EXPECT_EQ(traditional.Text, c.traditional) << Cp936ToUtf8(c.simplified);
        EXPECT_EQ(ToSimplified(traditional.Text).Text, c.simplified) << Cp936ToUtf8(c.simplified);
    }
}

TEST(ScriptConversion, CharacterWhoseConversionHasNoCodeKeepsItsOriginal)
{
    // t2s turns 俓 into U+201F9, which code page 936 lacks; its neighbours still convert.
    EXPECT_EQ(ToSimplified(Gbk("漢俓漢")).Text, Gbk("汉俓汉"));
}

TEST(ScriptConversion, WholeSetKeepsItsCharactersInNumberAndOrder)
{
    const std::string gbk = LoadCharset(CharacterSet::GBK, QString()).Text;
    for (const ScriptConversion &converted : {ToTraditional(gbk), ToSimplified(gbk)}) {
        ASSERT_FALSE(converted.Error) << testutil::Describe(converted.Error);
        const std::vector<std::string> before = SplitChars(gbk);
        const std::vector<std::string> after = SplitChars(converted.Text);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_NE(converted.Text, gbk);
    }
}

TEST(ScriptConversion, ConfigurationThatCannotBeLoadedIsReportedAndChangesNothing)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const ScriptConversion converted = ConvertScript(Gbk("汉"), "no-such-config.json");
        EXPECT_EQ(converted.Text, Gbk("汉"));
        EXPECT_TRUE(testutil::Mentions(converted.Error, "no-such-config.json")) << testutil::Describe(converted.Error);
    }
}
