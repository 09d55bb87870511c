// Rendering characters into the matrix: exactness against Unifont's own bitmaps, placement by
// offset, empty sizes, and the character box and shift handlers' work.

#include "charset/cp936.h"
#include "common/testutil.h"
#include "encode/packglyph.h"
#include "encode/boxrender.h"
#include "raster/glyphbitmap.h"
#include "encode/glyphfile.h"

#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using testutil::Gbk;

using testutil::Scratch;

namespace {

std::vector<std::string> Rows(const DotMatrix &m, int w, int h)
{
    std::vector<std::string> rows;
    for (int r = 0; r < h; ++r) {
        std::string row;
        for (int c = 0; c < w; ++c)
            row += m.IsInk(r, c) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

DotMatrix FromRows(const std::vector<std::string> &rows)
{
    DotMatrix m;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            m.Set(int(r), int(c), rows[r][c] == '#' ? CellInk : CellBlank);
    return m;
}

std::vector<std::string> AllTokens(const PackedGlyph &packed)
{
    std::vector<std::string> tokens;
    for (const DataLine &line : packed.Lines)
        for (const DataRun &run : line.Runs)
            tokens.insert(tokens.end(), run.Tokens.begin(), run.Tokens.end());
    return tokens;
}

GlyphFontDesc Unifont()
{
    GlyphFontDesc font;
    font.Face = "Unifont";
    font.PointSize = 12;
    return font;
}

int InkCount(const DotMatrix &m, int w, int h)
{
    int n = 0;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            n += m.IsInk(r, c);
    return n;
}

} // namespace

TEST(GlyphFont, TwelvePointsAreSixteenPixelsAndSongFallsBackToUming)
{
    GlyphFontDesc font;
    EXPECT_EQ(font.PixelHeight(), 16);
    if (!QFontDatabase::hasFamily(QString::fromUtf8("宋体"))) {
        EXPECT_EQ(font.ResolvedFace(), "AR PL UMing CN");
    }
    EXPECT_EQ(font.ToQFont().pixelSize(), 16);
    EXPECT_EQ(Unifont().ResolvedFace(), "Unifont");
}

TEST(RenderGlyph, UnifontCharactersComeOutAsUnifontsOwnBitmapsInEveryScan)
{
    const char *sample[] = {"中", "国", "汉", "字", "龍", "鬱", "一", "口", "田", "永", "の", "Ж", "，", "。"};
    std::vector<char32_t> codePoints;
    for (const char *ch : sample)
        codePoints.push_back(QString::fromUtf8(ch).toUcs4().front());
    const auto bitmaps = testutil::UnifontBitmaps(codePoints);
    ASSERT_FALSE(bitmaps.empty()) << "unifont.hex not found at " << testutil::UnifontHex;

    Scratch s;
    GlyphSize size;
    int compared = 0;
    for (const char *ch : sample) {
        const auto it = bitmaps.find(QString::fromUtf8(ch).toUcs4().front());
        if (it == bitmaps.end())
            continue; // a half-width Unifont glyph: not a 16 x 16 sample
        ASSERT_TRUE(RenderGlyph(Gbk(ch), "u", 0, 0, 16, 16, Unifont(), s.output));
        ASSERT_TRUE(LoadMatrixFromBitmap(s.dir.filePath("u.bmp"), InkTest::BlueByte, s.matrix, size));
        EXPECT_EQ(Rows(s.matrix, 16, 16), it->second) << ch;
        const DotMatrix expected = FromRows(it->second);
        GlyphSettings packing; // 16 x 16, 8-bit groups
        packing.OutputFormat = SourceFormat::CArray;
        for (ScanOrder scan : {ScanOrder::Horizontal, ScanOrder::Vertical, ScanOrder::ZN}) {
            packing.ScanMode = scan;
            EXPECT_EQ(AllTokens(PackGlyph(s.matrix, packing)), AllTokens(PackGlyph(expected, packing)))
                << ch << " scan " << WordOfMode(scan);
        }
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

TEST(RenderGlyph, OffsetsMoveTheCharacterAndCutWhatFallsOutside)
{
    Scratch s;
    GlyphSize size;
    auto render = [&](int x, int y) {
        EXPECT_TRUE(RenderGlyph(Gbk("中"), "t", x, y, 16, 16, Unifont(), s.output));
        EXPECT_TRUE(LoadMatrixFromBitmap(s.dir.filePath("t.bmp"), InkTest::AllBytes, s.matrix, size));
        return Rows(s.matrix, 16, 16);
    };
    const auto home = render(0, 0);
    const auto left3 = render(-3, 0);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(left3[size_t(r)], home[size_t(r)].substr(3) + "...") << "row " << r;
    const auto down2 = render(0, 2);
    EXPECT_EQ(down2[0], std::string(16, '.'));
    EXPECT_EQ(down2[2], home[0]);
    render(10000, -10000);
    EXPECT_EQ(InkCount(s.matrix, 16, 16), 0);
}

TEST(RenderGlyph, ZeroOrNegativeSizeGivesAnEmptyGlyph)
{
    Scratch s;
    GlyphSize size;
    for (auto [w, h] : {std::pair{0, 16}, {16, 0}, {-5, -5}}) {
        ASSERT_TRUE(RenderGlyph(Gbk("中"), "e", 0, 0, w, h, GlyphFontDesc(), s.output));
        ASSERT_TRUE(LoadMatrixFromBitmap(s.dir.filePath("e.bmp"), InkTest::AllBytes, s.matrix, size));
        EXPECT_EQ(size.Width, std::max(0, w));
        EXPECT_EQ(size.Height, std::max(0, h));
    }
}

TEST(RenderGlyph, EmptyTextIsAWhiteBitmapAndLargeGlyphsWork)
{
    Scratch s;
    GlyphSize size;
    ASSERT_TRUE(RenderGlyph("", "w", 0, 0, 1024, 1024, GlyphFontDesc(), s.output));
    ASSERT_TRUE(LoadMatrixFromBitmap(s.dir.filePath("w.bmp"), InkTest::AllBytes, s.matrix, size));
    EXPECT_EQ(InkCount(s.matrix, 1024, 1024), 0);
    GlyphFontDesc big;
    big.PointSize = 96; // 128 pixels
    ASSERT_TRUE(RenderGlyph(Gbk("中"), "b", 0, 0, 128, 128, big, s.output));
    ASSERT_TRUE(LoadMatrixFromBitmap(s.dir.filePath("b.bmp"), InkTest::AllBytes, s.matrix, size));
    EXPECT_GT(InkCount(s.matrix, 128, 128), 500);
}

TEST(BoxRender, TypingRendersLastCharacterAndKeepsWholeText)
{
    Scratch s;
    s.settings.GlyphFont = Unifont();
    std::vector<std::string> seen;
    BoxRenderResult r = RenderBoxText(Gbk("汉字"), s.settings, s.matrix, s.output,
                                      [&](const std::string &ch) { seen.push_back(ch); });
    EXPECT_TRUE(r.Loaded);
    EXPECT_EQ(r.Character, Gbk("字"));
    EXPECT_EQ(s.settings.CurrentText, Gbk("汉字"));
    EXPECT_EQ(seen, std::vector<std::string>{Gbk("字")});
    const auto zi = Rows(s.matrix, 16, 16);

    // A line break at the end renders nothing: the matrix comes back from the last bitmap.
    s.matrix.FillArea(16, 16, CellBlank);
    r = RenderBoxText(Gbk("汉字\r\n"), s.settings, s.matrix, s.output);
    EXPECT_TRUE(r.Loaded);
    EXPECT_TRUE(r.Character.empty());
    EXPECT_EQ(s.settings.CurrentText, Gbk("汉字"));
    EXPECT_EQ(Rows(s.matrix, 16, 16), zi);

    // An emptied box renders nothing either; the glyph stays.
    r = RenderBoxText("", s.settings, s.matrix, s.output);
    EXPECT_TRUE(r.Character.empty());
    EXPECT_EQ(Rows(s.matrix, 16, 16), zi);
}

TEST(BoxRender, ThreeLeftShiftsMoveOffsetToMinusThree)
{
    Scratch s;
    s.settings.GlyphFont = Unifont();
    RenderBoxText(Gbk("中"), s.settings, s.matrix, s.output);
    const auto home = Rows(s.matrix, 16, 16);
    BoxRenderResult r;
    for (int i = 0; i < 3; ++i)
        r = ShiftAndRender(-1, 0, Gbk("中"), s.settings, s.matrix, s.output);
    EXPECT_TRUE(r.Loaded);
    EXPECT_EQ(s.settings.OffsetX, -3);
    EXPECT_EQ(Rows(s.matrix, 16, 16)[4], home[4].substr(3) + "...");
}

TEST(BoxRender, UnwritableDirectoryReportsAndKeepsTheGlyph)
{
    Scratch s;
    OutputDirectory gone(s.dir.filePath("gone"));
    s.matrix.Set(0, 0, CellInk);
    const BoxRenderResult r = RenderBoxText(Gbk("中"), s.settings, s.matrix, gone);
    EXPECT_TRUE(r.RenderFailed);
    EXPECT_FALSE(r.Loaded);
    EXPECT_FALSE(!r.Error);
    EXPECT_EQ(s.matrix.At(0, 0), CellInk);
}
