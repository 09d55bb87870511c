// Source text of one glyph: whole files compared byte for byte with golden files, and the
// preview's items.

#include "common/testutil.h"
#include "encode/glyphtext.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using testutil::Gbk;

namespace {

// 16 x 16 glyph whose ink is column 0 and row 15 (an L):
//   #...............
//   #...............   (rows 1 to 14 the same)
//   ################
DotMatrix LShape()
{
    DotMatrix m;
    for (int r = 0; r < 16; ++r)
        m.Set(r, 0, CellInk);
    for (int c = 0; c < 16; ++c)
        m.Set(15, c, CellInk);
    return m;
}

// A 16 x 16 glyph in 8-bit groups.
GlyphSettings Settings(ScanOrder scan, SourceFormat format)
{
    GlyphSettings s;
    s.ScanMode = scan;
    s.OutputFormat = format;
    return s;
}

std::string FileText(ScanOrder scan, SourceFormat format, bool withNotice)
{
    const GlyphText text =
        ComposeGlyphText("zhong0", Gbk("中"), Settings(scan, format), LShape(), true);
    return GlyphFileBytes(text, withNotice);
}

std::string NoticeLine()
{
    return std::string(RightsNotice) + "\r\n";
}

} // namespace

TEST(GlyphFileText, MatchesGoldenFilesInEveryScanAndFormat)
{
    const struct {
        ScanOrder scan;
        SourceFormat format;
        const char *golden;
    } cases[] = {
        {ScanOrder::Vertical, SourceFormat::CArray, "zhong0-v-c.c"},     {ScanOrder::Vertical, SourceFormat::AsmTable, "zhong0-v-asm.c"},
        {ScanOrder::Vertical, SourceFormat::Typical, "zhong0-v-typical.c"}, {ScanOrder::Horizontal, SourceFormat::CArray, "zhong0-h-c.c"},
        {ScanOrder::ZN, SourceFormat::CArray, "zhong0-zn-c.c"},          {ScanOrder::ZN, SourceFormat::AsmTable, "zhong0-zn-asm.c"},
    };
    for (const auto &c : cases) {
        const QString golden = QString::fromLatin1(c.golden);
        EXPECT_TRUE(testutil::MatchesGolden(FileText(c.scan, c.format, true), golden, NoticeLine()));
        EXPECT_TRUE(testutil::MatchesGolden(FileText(c.scan, c.format, false), golden)) << "without notice";
    }
}

TEST(GlyphFileText, RightsNoticeIsOneCommentWithoutHexPrefix)
{
    const std::string notice = RightsNotice;
    EXPECT_EQ(notice.rfind("/*", 0), 0u);
    EXPECT_EQ(notice.substr(notice.size() - 2), "*/");
    EXPECT_EQ(notice.find("*/"), notice.size() - 2);
    EXPECT_EQ(notice.find("0x"), std::string::npos);
    EXPECT_EQ(notice.find('\n'), std::string::npos);
}

TEST(GlyphFileText, EveryLineEndsInCrLf)
{
    for (ScanOrder scan : {ScanOrder::Horizontal, ScanOrder::Vertical, ScanOrder::ZN})
        for (SourceFormat format : {SourceFormat::Typical, SourceFormat::CArray, SourceFormat::AsmTable}) {
            const std::string bytes = FileText(scan, format, true);
            ASSERT_GE(bytes.size(), 2u);
            EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
            for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
                EXPECT_EQ(bytes[at - 1], '\r') << "scan " << WordOfMode(scan) << " format " << WordOfMode(format);
        }
}

TEST(GlyphFileText, TypicalLinesKeepSeparatorsAndAsmLinesNeverEndInComma)
{
    // SourceFormat::Typical ZN: every band line ends with "," and there is no "};".
    const std::string typicalZn = FileText(ScanOrder::ZN, SourceFormat::Typical, false);
    EXPECT_EQ(typicalZn.find("};"), std::string::npos);
    EXPECT_NE(typicalZn.find("0x01,\r\n"), std::string::npos);
    for (ScanOrder scan : {ScanOrder::Horizontal, ScanOrder::Vertical, ScanOrder::ZN})
        EXPECT_EQ(FileText(scan, SourceFormat::AsmTable, false).find(",\r\n"), std::string::npos) << scan;
}

TEST(GlyphFileText, PictureHeaderHasEmptyCharacterBeforeSize)
{
    GlyphSettings s = Settings(ScanOrder::Vertical, SourceFormat::CArray);
    const GlyphText text = ComposeGlyphText("logo", "", s, LShape(), true);
    ASSERT_FALSE(text.Items.empty());
    EXPECT_EQ(text.Items[0].Text, "/* @logo (16x16,V)@ [mavo software]*/");
}

TEST(GlyphFileText, ANameThatIsNoIdentifierLabelsWithThePrefixAndKeepsItsHeader)
{
    const GlyphText text =
        ComposeGlyphText("0", Gbk("中"), Settings(ScanOrder::Vertical, SourceFormat::AsmTable), LShape(), true);
    const std::string bytes = GlyphFileBytes(text, false);
    EXPECT_EQ(bytes.find("; * @0 "), 0u);
    EXPECT_NE(bytes.find("\r\nglyph_0 DB  0FFH,0FFH,"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n        DB  000H,001H,"), std::string::npos); // indented by label + 1
    // Identifiers stay as they are; anything else gets the prefix and '_' for its other bytes.
    EXPECT_EQ(SourceIdentifier("zhong0"), "zhong0");
    EXPECT_EQ(SourceIdentifier("_x9"), "_x9");
    EXPECT_EQ(SourceIdentifier(""), "glyph_");
    EXPECT_EQ(SourceIdentifier("long"), "glyph_long"); // 龙 in the preview, which names it without a number
    EXPECT_EQ(SourceIdentifier("my logo-2"), "glyph_my_logo_2");
    EXPECT_EQ(SourceIdentifier(Gbk("标志")), "glyph_____");
}

TEST(PreviewText, HeaderHasNoTagAndAsmLabelStartsTheFirstDataLine)
{
    PreviewSink preview;
    GlyphSettings s = Settings(ScanOrder::Vertical, SourceFormat::AsmTable);
    ASSERT_EQ(WriteGlyphText(preview, "zhong", Gbk("中"), s, LShape()), GlyphTextResult::Written);
    const std::vector<std::string> lines = preview.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], Gbk("; * @zhong 中(16x16,V)@ *"));
    EXPECT_EQ(lines[1], "zhong DB  0FFH,0FFH,  000H,001H,  000H,001H,  000H,001H");
    EXPECT_EQ(lines[2].substr(0, 10), "      DB  "); // the label's width and one column

    s = Settings(ScanOrder::Horizontal, SourceFormat::CArray);
    ASSERT_EQ(WriteGlyphText(preview, "zhong", Gbk("中"), s, LShape()), GlyphTextResult::Written);
    EXPECT_EQ(preview.Lines().front(), Gbk("/* @zhong 中(16x16,H)@ */"));
    EXPECT_EQ(preview.Lines()[1], "unsigned char zhong[]={");
    EXPECT_EQ(preview.Lines().back(), "};");
    EXPECT_EQ(preview.Lines().size(), 7u); // header, declaration, four data lines, closing
}

TEST(WriteGlyphText, RefusalWritesNoFileAndThePreviewShowsIt)
{
    QTemporaryDir dir;
    OutputDirectory output(dir.path());
    GlyphSettings s = Settings(ScanOrder::Vertical, SourceFormat::CArray);
    s.GroupDigits = 8; // eight digits a group, only four a 16-row column
    GlyphFileSink file(output, "zhong0.c");
    EXPECT_EQ(WriteGlyphText(file, "zhong0", Gbk("中"), s, LShape()), GlyphTextResult::Refused);
    EXPECT_FALSE(QFile::exists(dir.filePath("zhong0.c")));
    EXPECT_FALSE(output.WasWritten("zhong0.c"));

    PreviewSink preview;
    EXPECT_EQ(WriteGlyphText(preview, "zhong", Gbk("中"), s, LShape()), GlyphTextResult::Refused);
    EXPECT_TRUE(preview.Text().Refused);
}

TEST(WriteGlyphText, FileGetsNoticeThenTheGlyphAndCountsAsTheProgramsOwn)
{
    QTemporaryDir dir;
    OutputDirectory output(dir.path());
    GlyphFileSink sink(output, "zhong0.c");
    ASSERT_EQ(WriteGlyphText(sink, "zhong0", Gbk("中"), Settings(ScanOrder::Vertical, SourceFormat::CArray), LShape()),
              GlyphTextResult::Written);
    EXPECT_TRUE(testutil::MatchesGolden(testutil::ReadFileBytes(sink.FilePath()), "zhong0-v-c.c", NoticeLine()));
    EXPECT_TRUE(output.WasWritten("zhong0.c"));
}

TEST(WriteGlyphText, UnwritableFileFailsNamingIt)
{
    QTemporaryDir dir;
    OutputDirectory output(dir.path() + "/missing-subdir");
    GlyphFileSink sink(output, "zhong0.c");
    Failure error;
    EXPECT_EQ(WriteGlyphText(sink, "zhong0", Gbk("中"), Settings(ScanOrder::Vertical, SourceFormat::CArray), LShape(), &error),
              GlyphTextResult::Failed);
    EXPECT_TRUE(testutil::Mentions(error, "zhong0.c")) << testutil::Describe(error);
    EXPECT_FALSE(output.WasWritten("zhong0.c"));
}

TEST(GlyphFileText, EmptyGlyphsStillCloseTheirArrays)
{
    DotMatrix m;
    // ZN with no band (height 0) still ends the C array.
    GlyphSettings s = Settings(ScanOrder::ZN, SourceFormat::CArray);
    s.Height = 0;
    GlyphText zn = ComposeGlyphText("a", "a", s, m, true);
    EXPECT_EQ(GlyphFileBytes(zn, false), "/* @a a(16x0,V)@ [mavo software]*/\r\nunsigned char a[]={\r\n};\r\n");
    // Vertical with width 0 has no runs but closes too.
    s = Settings(ScanOrder::Vertical, SourceFormat::CArray);
    s.Width = 0;
    GlyphText v = ComposeGlyphText("a", "a", s, m, true);
    EXPECT_EQ(GlyphFileBytes(v, false), "/* @a a(0x16,V)@ [mavo software]*/\r\nunsigned char a[]={\r\n};\r\n");
}

TEST(GlyphDataBytes, ReadsDataLinesOnly)
{
    GlyphText text;
    text.Items = {{GlyphTextRole::Header, "/* @a a(10x16,V)@ */"}, {GlyphTextRole::Data, "0x0F,0xa0,  0x1"}};
    EXPECT_EQ(GlyphDataBytes(text), std::string("\x0F\xA0", 2));
}

TEST(GlyphFileText, AnAssemblerHeaderKeepsEveryCharacterInsideItsComment)
{
    // A line break as the character would leave the rest of the header to the assembler; C's
    // block comment holds any byte, and ordinary characters stay as they are in both.
    const struct {
        std::string character;
        const char *inAsm;
    } cases[] = {
        {"\n", "\\n"}, {"\r", "\\r"}, {std::string(1, '\0'), "\\x00"}, {"\x1A", "\\x1A"},
        {"\t", "\t"},  {";", ";"},    {"\\", "\\"},                     {Gbk("中"), "中"},
    };
    for (const auto &c : cases) {
        const std::string asmText =
            GlyphFileBytes(ComposeGlyphText("g", c.character, Settings(ScanOrder::Vertical, SourceFormat::AsmTable), LShape(), true), false);
        const std::string header = "; * @g " + testutil::Gbk(c.inAsm) + "(16x16,V)@ [mavo software]*\r\n";
        EXPECT_EQ(asmText.substr(0, header.size()), header) << c.inAsm;
        EXPECT_EQ(asmText.find_first_of("\r\n"), header.size() - 2) << c.inAsm;
        const std::string cText =
            GlyphFileBytes(ComposeGlyphText("g", c.character, Settings(ScanOrder::Vertical, SourceFormat::CArray), LShape(), true), false);
        EXPECT_EQ(cText.substr(0, 7 + c.character.size()), "/* @g " + c.character + "(") << c.inAsm;
    }
}
