// The export core: the export list by code point, 1-bit glyphs against the batch's own bytes,
// Unifont's bitmaps as ground truth for boxes and offsets, anti-aliased levels, and a run's
// order, progress, cancel and failure.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "common/testutil.h"
#include "encode/batchrun.h"
#include "encode/packglyph.h"
#include "export/codepointlist.h"
#include "export/exportrun.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <map>

using testutil::Gbk;

namespace {

char32_t CodePointOf(const char *utf8)
{
    return QString::fromUtf8(utf8).toUcs4().front();
}

// Every glyph of list drawn by the export run, by character.
std::map<std::string, ExportGlyph> ExportAll(const std::string &list, const GlyphSettings &settings, int bpp)
{
    std::map<std::string, ExportGlyph> glyphs;
    JobControl control;
    const ExportRunResult run =
        DrawExportGlyphs(MapToCodePoints(list).Characters, settings, bpp, AdvanceMode::Cell, control, [&](const ExportGlyph &g, Failure *) {
            glyphs[g.Character] = g;
            return true;
        });
    EXPECT_EQ(run.State, ExportRunResult::Done);
    return glyphs;
}

GlyphSettings UnifontSettings()
{
    GlyphSettings settings;
    settings.GlyphFont.Face = "Unifont";
    return settings;
}

} // namespace

TEST(MapToCodePoints, OrdersByCodePointAndLeavesOutRepeatsLineBreaksAndCharactersWithoutOne)
{
    // a, 中, the euro sign (one byte 0x80), CR LF, 中 again, A, 0x81 0x20 (a lead byte with a
    // trail byte no code has), a space, 0x81 0x20 again, and a lone 0xFF at the end.
    const std::string list = "a" + Gbk("中") + "\x80\r\n" + Gbk("中") + "A\x81\x20 \x81\x20\xFF";
    const CodePointList mapped = MapToCodePoints(list);
    std::vector<std::pair<char32_t, std::string>> got;
    for (const CodePointChar &c : mapped.Characters)
        got.emplace_back(c.CodePoint, c.Character);
    const std::vector<std::pair<char32_t, std::string>> expected = {
        {0x20, " "}, {0x41, "A"}, {0x61, "a"}, {0x20AC, "\x80"}, {0x4E2D, Gbk("中")}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(mapped.Unmapped, (std::vector<std::string>{"\x81\x20", "\xFF"}));
    EXPECT_EQ(mapped.Repeats, 2);
    EXPECT_EQ(mapped.LineBreaks, 2);
    EXPECT_EQ(UnmappedCharacterText("\x81\x20"), "0x81 0x20");

    // The whole GBK set: every character has its own code point.
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, QString());
    ASSERT_TRUE(gbk.Ok) << testutil::Describe(gbk.Error);
    const CodePointList all = MapToCodePoints(gbk.Text);
    EXPECT_EQ(int(all.Characters.size()), gbk.Count);
    EXPECT_TRUE(all.Unmapped.empty());
    for (size_t i = 1; i < all.Characters.size(); ++i)
        ASSERT_LT(all.Characters[i - 1].CodePoint, all.Characters[i].CodePoint);
}

TEST(DrawExportGlyphs, OneBitGlyphsPackToTheBatchsFontDatByteForByte)
{
    // A seeded sample of GBK with ASCII and the euro sign, in three cells, faces and offsets.
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, QString());
    ASSERT_TRUE(gbk.Ok);
    const std::vector<std::string> all = SplitChars(gbk.Text);
    QRandomGenerator random(12);
    std::string list = "A g@~\x80";
    for (int i = 0; i < 240; ++i) {
        const std::string &ch = all[random.bounded(int(all.size()))];
        if (!ContainsChar(list, ch))
            list += ch;
    }
    struct Cell
    {
        const char *Face;
        int PointSize, Width, Height, OffsetX, OffsetY;
    };
    for (const Cell &cell : {Cell{"宋体", 12, 16, 16, 0, 0}, Cell{"宋体", 15, 24, 20, 2, -3},
                             Cell{"Unifont", 12, 13, 15, -1, 1}}) {
        SCOPED_TRACE(std::string(cell.Face) + " " + std::to_string(cell.Width) + "x" + std::to_string(cell.Height));
        testutil::Scratch batch;
        batch.settings.GlyphFont.Face = QString::fromUtf8(cell.Face);
        batch.settings.GlyphFont.PointSize = cell.PointSize;
        batch.settings.Width = cell.Width;
        batch.settings.Height = cell.Height;
        batch.settings.OffsetX = cell.OffsetX;
        batch.settings.OffsetY = cell.OffsetY;
        batch.settings.ScanMode = ScanOrder::Horizontal;
        const GlyphSettings settings = batch.settings;
        JobControl control;
        const BatchResult run = BatchGenerate(list, batch.settings, batch.matrix, batch.output, DataFile::Bin, control);
        ASSERT_EQ(run.State, BatchResult::Done) << testutil::Describe(run.Error);

        const std::map<std::string, ExportGlyph> glyphs = ExportAll(list, settings, 1);
        ASSERT_EQ(glyphs.size(), CountChars(list));
        std::string expected;
        DotMatrix matrix;
        GlyphSettings packing;
        packing.Width = cell.Width;
        packing.Height = cell.Height;
        packing.ScanMode = ScanOrder::Horizontal;
        for (const std::string &ch : SplitChars(list)) {
            glyphs.at(ch).CopyToMatrix(matrix);
            expected += PackedGlyphBytes(PackGlyph(matrix, packing));
        }
        EXPECT_TRUE(expected == testutil::ReadFileBytes(run.DataPath));
    }
}

TEST(DrawExportGlyph, UnifontGlyphsHaveUnifontsDotsAndTightBoxesPlacedFromTheBaseline)
{
    const char *sample[] = {"中", "国", "汉", "字", "一", "口", "，", "。", "の", "Ж"};
    std::vector<char32_t> codePoints;
    for (const char *ch : sample)
        codePoints.push_back(CodePointOf(ch));
    const auto bitmaps = testutil::UnifontBitmaps(codePoints);
    ASSERT_GE(bitmaps.size(), 8u) << "unifont.hex not found at " << testutil::UnifontHex;

    const GlyphSettings settings = UnifontSettings();
    // Unifont's ascent is 14 of its 16 pixels.
    const ExportFontMetrics metrics = MeasureExportFont(settings, 1, AdvanceMode::Cell);
    EXPECT_EQ(metrics.Baseline, 14);
    EXPECT_EQ(metrics.Descent, 2);
    EXPECT_EQ(metrics.LineHeight, 16);
    EXPECT_EQ(metrics.Family, "Unifont");
    for (int bpp : {1, 2, 4, 8}) {
        ASSERT_EQ(MeasureExportFont(settings, bpp, AdvanceMode::Cell).Baseline, 14);
        for (const char *ch : sample) {
            const auto it = bitmaps.find(CodePointOf(ch));
            if (it == bitmaps.end())
                continue;
            SCOPED_TRACE(std::string(ch) + " at " + std::to_string(bpp) + " bpp");
            const std::vector<std::string> &rows = it->second;
            const ExportGlyph glyph = DrawExportGlyph({CodePointOf(ch), Gbk(ch)}, settings, bpp, metrics);
            int left = 16, right = -1, top = 16, bottom = -1;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const bool ink = rows[size_t(y)][size_t(x)] == '#';
                    // Unifont's dots are fully inked at every depth; anti-aliasing adds faint
                    // fringes beside them, never a full dot.
                    if (bpp == 1)
                        ASSERT_EQ(glyph.Level(x, y), ink ? 1 : 0) << "x " << x << " y " << y;
                    else
                        ASSERT_EQ(glyph.Level(x, y) == glyph.MaxLevel(), ink) << "x " << x << " y " << y;
                    if (ink) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            EXPECT_EQ(glyph.Advance, 16);
            if (bpp > 1) {
                // The box holds the fringes too.
                EXPECT_LE(glyph.BoxLeft, left);
                EXPECT_GE(glyph.BoxLeft + glyph.BoxWidth, right + 1);
                EXPECT_LE(glyph.BoxTop, top);
                EXPECT_GE(glyph.BoxTop + glyph.BoxHeight, bottom + 1);
                continue;
            }
            EXPECT_EQ(glyph.BoxLeft, left);
            EXPECT_EQ(glyph.BoxTop, top);
            EXPECT_EQ(glyph.BoxWidth, right - left + 1);
            EXPECT_EQ(glyph.BoxHeight, bottom - top + 1);
            EXPECT_EQ(glyph.OffsetX, left);
            EXPECT_EQ(glyph.OffsetY, 14 - (bottom + 1));
            const std::vector<uint8_t> box = glyph.BoxLevels();
            ASSERT_EQ(box.size(), size_t(glyph.BoxWidth * glyph.BoxHeight));
            for (int y = 0; y < glyph.BoxHeight; ++y)
                for (int x = 0; x < glyph.BoxWidth; ++x)
                    ASSERT_EQ(box[size_t(y * glyph.BoxWidth + x)], rows[size_t(top + y)][size_t(left + x)] == '#');
        }
    }
    // A space: no ink, an empty box, the cell's advance.
    const ExportGlyph space = DrawExportGlyph({0x20, " "}, settings, 4, MeasureExportFont(settings, 4, AdvanceMode::Cell));
    EXPECT_TRUE(space.Empty());
    EXPECT_EQ(space.OffsetX, 0);
    EXPECT_EQ(space.OffsetY, 0);
    EXPECT_EQ(space.Advance, 16);
    EXPECT_TRUE(space.BoxLevels().empty());
}

TEST(DrawExportGlyph, AntiAliasedLevelsAreTheCoverageRoundedToEachDepth)
{
    // Rounding to the nearest level: 2 bpp steps at 42.5, 127.5, 212.5; 4 bpp every 17 from 8.5.
    const int cases[][3] = {{0, 2, 0},   {42, 2, 0},  {43, 2, 1},   {127, 2, 1},  {128, 2, 2}, {255, 2, 3},
                            {8, 4, 0},   {9, 4, 1},   {136, 4, 8},  {246, 4, 14}, {247, 4, 15}, {255, 4, 15},
                            {0, 8, 0},   {200, 8, 200}, {255, 8, 255}, {-4, 4, 0},  {300, 4, 15}, {255, 1, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(QuantiseCoverage(c[0], c[1]), c[2]) << c[0] << " at " << c[1] << " bpp";

    GlyphSettings settings; // 宋体 (AR PL UMing where it is missing), 16 x 16
    settings.OffsetX = 1;
    settings.OffsetY = -1;
    const ExportFontMetrics metrics = MeasureExportFont(settings, 8, AdvanceMode::Cell);
    int partial = 0;
    for (const char *ch : {"中", "永", "a", "€", "g"}) {
        const CodePointChar character{CodePointOf(ch), Gbk(ch)};
        const ExportGlyph coverage = DrawExportGlyph(character, settings, 8, metrics);
        for (int bpp : {2, 4}) {
            const ExportGlyph glyph = DrawExportGlyph(character, settings, bpp, metrics);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(glyph.Level(x, y), QuantiseCoverage(coverage.Level(x, y), bpp))
                        << ch << " x " << x << " y " << y << " at " << bpp << " bpp";
            EXPECT_GE(glyph.BoxLeft, coverage.BoxLeft);
            EXPECT_LE(glyph.BoxLeft + glyph.BoxWidth, coverage.BoxLeft + coverage.BoxWidth);
        }
        for (uint8_t level : coverage.Levels)
            partial += level != 0 && level != 255;
    }
    EXPECT_GT(partial, 20); // really anti-aliased: grey edges, not only black and white
}

TEST(DrawExportGlyphs, HandsGlyphsOverInCodePointOrderAndStopsWhenCancelledOrRefused)
{
    const CharsetImport gb2312 = LoadCharset(CharacterSet::GB2312, QString());
    ASSERT_TRUE(gb2312.Ok);
    // Backwards, so that code-point order is not list order.
    std::vector<std::string> chars = SplitChars(gb2312.Text.substr(0, 2 * 600));
    std::reverse(chars.begin(), chars.end());
    std::string list;
    for (const std::string &ch : chars)
        list += ch;
    const CodePointList mapped = MapToCodePoints(list);
    const GlyphSettings settings;

    JobControl control;
    std::vector<char32_t> order;
    ExportRunResult run = DrawExportGlyphs(mapped.Characters, settings, 4, AdvanceMode::Cell, control, [&](const ExportGlyph &g, Failure *) {
        EXPECT_EQ(control.Done(), int(order.size())); // counted after the sink took it
        order.push_back(g.CodePoint);
        return true;
    });
    EXPECT_EQ(run.State, ExportRunResult::Done);
    EXPECT_EQ(run.Glyphs, 600);
    EXPECT_EQ(control.Done(), 600);
    ASSERT_EQ(order.size(), 600u);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_EQ(order.front(), mapped.Characters.front().CodePoint);

    JobControl cancelled;
    int taken = 0;
    run = DrawExportGlyphs(mapped.Characters, settings, 1, AdvanceMode::Cell, cancelled, [&](const ExportGlyph &, Failure *) {
        if (++taken == 10)
            cancelled.Cancel();
        return true;
    });
    EXPECT_EQ(run.State, ExportRunResult::Cancelled);
    EXPECT_EQ(run.Glyphs, 10);

    JobControl refused;
    run = DrawExportGlyphs(mapped.Characters, settings, 2, AdvanceMode::Cell, refused, [&](const ExportGlyph &g, Failure *error) {
        if (g.CodePoint != mapped.Characters[3].CodePoint)
            return true;
        *error = {FailureCode::Write, QStringLiteral("font.c"), QStringLiteral("disk full"), {}};
        return false;
    });
    EXPECT_EQ(run.State, ExportRunResult::Failed);
    EXPECT_EQ(run.Glyphs, 3);
    EXPECT_EQ(run.Error.Reason, "disk full");
}
