// The single-glyph command end to end in a scratch output directory.

#include "common/testutil.h"
#include "encode/glyphtext.h"
#include "encode/singleglyph.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testutil::Gbk;

using testutil::Scratch;

namespace {

} // namespace

TEST(CreateSingleGlyph, WritesPinyinNamedFileWithNoticeForLastCharacter)
{
    Scratch s;
    s.settings.OutputFormat = SourceFormat::CArray;
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("汉中"), s.settings, s.matrix, s.output);
    ASSERT_EQ(result.State, SingleGlyphResult::Written) << testutil::Describe(result.Error);
    EXPECT_EQ(result.Name, "zhong0");
    EXPECT_EQ(result.FilePath, s.dir.filePath("zhong0.c"));
    EXPECT_EQ(s.settings.CurrentText, Gbk("汉中"));
    const std::string bytes = testutil::ReadFileBytes(result.FilePath);
    EXPECT_EQ(bytes.rfind(std::string(RightsNotice) + "\r\n", 0), 0u);
    EXPECT_NE(bytes.find(Gbk("/* @zhong0 中(16x16,V)@ [mavo software]*/\r\nunsigned char zhong0[]={\r\n")),
              std::string::npos);
    EXPECT_TRUE(QFile::exists(s.dir.filePath("zhong0.bmp")));
}

TEST(CreateSingleGlyph, NumberedNamesNameTheFileZeroAndTheArrayGlyph0)
{
    Scratch s;
    s.settings.NumberedNames = true;
    s.settings.OutputFormat = SourceFormat::CArray;
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, s.output);
    ASSERT_EQ(result.State, SingleGlyphResult::Written);
    EXPECT_EQ(result.Name, "0");
    EXPECT_NE(testutil::ReadFileBytes(result.FilePath).find("unsigned char glyph_0[]={"), std::string::npos);
}

TEST(CreateSingleGlyph, SecondRunReplacesItsOwnEarlierFilesButNeverTheUsers)
{
    Scratch s;
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("foo.c"), "int main() { return 0; }\n"));
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("bar.bmp"), "user picture"));
    ASSERT_EQ(CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, s.output).State, SingleGlyphResult::Written);
    ASSERT_EQ(CreateSingleGlyph(Gbk("汉"), s.settings, s.matrix, s.output).State, SingleGlyphResult::Written);

    // A program started afresh in the same directory knows what it wrote before.
    OutputDirectory again(s.dir.path());
    const SingleGlyphResult third = CreateSingleGlyph(Gbk("字"), s.settings, s.matrix, again);
    ASSERT_EQ(third.State, SingleGlyphResult::Written);

    EXPECT_EQ(testutil::ReadFileBytes(s.dir.filePath("foo.c")), "int main() { return 0; }\n");
    EXPECT_EQ(testutil::ReadFileBytes(s.dir.filePath("bar.bmp")), "user picture");
    EXPECT_FALSE(QFile::exists(s.dir.filePath("zhong0.c")));
    EXPECT_FALSE(QFile::exists(s.dir.filePath("han0.bmp")));
    EXPECT_TRUE(QFile::exists(s.dir.filePath("zi0.c")));
}

TEST(CreateSingleGlyph, UserBitmapOfTheSameNamePushesTheNumberOn)
{
    Scratch s;
    ASSERT_TRUE(testutil::WriteFileBytes(s.dir.filePath("zhong0.bmp"), "user picture"));
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, s.output);
    ASSERT_EQ(result.State, SingleGlyphResult::Written);
    EXPECT_EQ(result.Name, "zhong1");
    EXPECT_EQ(testutil::ReadFileBytes(s.dir.filePath("zhong0.bmp")), "user picture");
}

TEST(CreateSingleGlyph, RefusedGroupWritesNoSourceFile)
{
    Scratch s;
    s.settings.GroupDigits = 8; // 32 bits a group, a 16-row column has only 16
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, s.output);
    EXPECT_EQ(result.State, SingleGlyphResult::Refused);
    EXPECT_EQ(result.Error.Code, FailureCode::GroupTooLong);
    EXPECT_TRUE(result.FilePath.isEmpty());
    EXPECT_FALSE(QFile::exists(s.dir.filePath("zhong0.c")));
}

TEST(CreateSingleGlyph, EmptyTextDoesNothing)
{
    Scratch s;
    const SingleGlyphResult result = CreateSingleGlyph("", s.settings, s.matrix, s.output);
    EXPECT_EQ(result.State, SingleGlyphResult::EmptyText);
    EXPECT_TRUE(QDir(s.dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(CreateSingleGlyph, UnwritableDirectoryReportsWhereAndChangesNothing)
{
    Scratch s;
    const QString gone = s.dir.filePath("gone");
    OutputDirectory output(gone);
    s.matrix.Set(0, 0, 7);
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, output);
    EXPECT_EQ(result.State, SingleGlyphResult::RenderFailed);
    EXPECT_TRUE(testutil::Mentions(result.Error, gone)) << testutil::Describe(result.Error);
    EXPECT_EQ(s.matrix.At(0, 0), 7);
}

TEST(CreateSingleGlyph, LoadsWithBlueByteTestAndTakesSizeFromBitmap)
{
    Scratch s;
    s.settings.Width = 24;
    s.settings.Height = 10;
    s.settings.OutputFormat = SourceFormat::CArray;
    const SingleGlyphResult result = CreateSingleGlyph(Gbk("中"), s.settings, s.matrix, s.output);
    ASSERT_EQ(result.State, SingleGlyphResult::Written);
    EXPECT_EQ(s.settings.Width, 24);
    EXPECT_EQ(s.settings.Height, 10);
    EXPECT_NE(testutil::ReadFileBytes(result.FilePath).find(Gbk("中(24x10,V)")), std::string::npos);
}
