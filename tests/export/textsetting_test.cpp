// Mixed Chinese and Latin text set with the font's own advances, read back by the real readers:
// the width FreeType gives the same text in the same font, u8g2 drawing the BDF (through bdfconv)
// and the firmware reader drawing the Unicode-keyed file, every glyph's dots as Dotrix drew them.

#include "charset/cp936.h"
#include "common/testutil.h"
#include "consumers.h"
#include "freetypeadvance.h"
#include "export/fontexport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

// The line of a thermometer's display: hanzi, digits, units, an English word, punctuation.
const char32_t MixedLine[] = U"温度: 23.5°C Hello, 世界!";

struct SetGlyphs
{
    ExportFontMetrics Metrics;
    std::map<char32_t, ExportGlyph> Glyphs;
};

SetGlyphs DrawLine(const std::vector<CodePointChar> &characters, const GlyphSettings &settings, AdvanceMode advance)
{
    SetGlyphs set;
    set.Metrics = MeasureExportFont(settings, 1, advance);
    JobControl control;
    DrawExportGlyphs(characters, settings, 1, advance, control, [&](const ExportGlyph &glyph, Failure *) {
        set.Glyphs[glyph.CodePoint] = glyph;
        return true;
    });
    return set;
}

// The line as a reader sets it: each cell's ink at the pen less the pen's column; a dot where the
// level is at least half of full ink; the pen moved by each advance.
consumers::DotRows Expected(const SetGlyphs &set, const std::u32string &line, int width)
{
    consumers::DotRows rows(size_t(set.Metrics.CellHeight), std::string(size_t(width), '.'));
    int pen = 0;
    for (const char32_t c : line) {
        const ExportGlyph &glyph = set.Glyphs.at(c);
        for (int y = 0; y < glyph.CellHeight; ++y)
            for (int x = 0; x < glyph.CellWidth; ++x) {
                const int column = pen - set.Metrics.PenX + x;
                if (glyph.Level(x, y) * 2 > glyph.MaxLevel() && column >= 0 && column < width)
                    rows[size_t(y)][size_t(column)] = '#';
            }
        pen += glyph.Advance;
    }
    return rows;
}

FontExportResult Export(ExportFormat format, const std::vector<CodePointChar> &characters,
                        const GlyphSettings &settings, const QString &path)
{
    FontExportRequest request;
    request.Format = format;
    request.OutPath = path;
    request.FitOffsetY = false;
    JobControl control;
    return ExportFont(characters, settings, request, control);
}

} // namespace

TEST(TextSetting, MixedLineIsAsWideAsFreeTypeSetsItAndEveryReaderDrawsItSo)
{
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("WenQuanYi Zen Hei");
    settings.GlyphFont.SetPixelHeight(16);
    if (!settings.GlyphFont.IsInstalled())
        GTEST_SKIP() << "WenQuanYi Zen Hei (Debian fonts-wqy-zenhei) is not installed";
    const std::u32string line = MixedLine;
    const std::string cp936 = QStringToCp936(QString::fromUcs4(line.data(), qsizetype(line.size())));
    const std::vector<CodePointChar> characters = MapToCodePoints(cp936).Characters;

    // The width: within 2 pixels of FreeType's own; the cell's grid is far wider.
    std::string error;
    const int freeType = consumers::FreeTypeAdvanceSum(settings.GlyphFont.Face, 16, line, &error);
    ASSERT_GT(freeType, 0) << error;
    const SetGlyphs own = DrawLine(characters, settings, AdvanceMode::Font);
    const SetGlyphs cell = DrawLine(characters, settings, AdvanceMode::Cell);
    int width = 0, reach = 0; // where the pen ends, and the furthest any cell reaches
    for (const char32_t c : line) {
        reach = std::max(reach, width - own.Metrics.PenX + own.Metrics.CellWidth);
        width += own.Glyphs.at(c).Advance;
    }
    EXPECT_LE(std::abs(width - freeType), 2) << "Dotrix " << width << " px, FreeType " << freeType << " px";
    for (const auto &[c, glyph] : own.Glyphs) // the same dots, only placed otherwise
        EXPECT_EQ(glyph.Levels, cell.Glyphs.at(c).Levels) << uint32_t(c);

    QTemporaryDir dir;
    const std::string text = QString::fromUcs4(line.data(), qsizetype(line.size())).toStdString();
    const int room = width + 16;
    {
        SCOPED_TRACE("the firmware reader");
        const QString ubin = dir.filePath("line.ubin");
        ASSERT_EQ(Export(ExportFormat::Ubin, characters, settings, ubin).State, FontExportResult::Done);
        const consumers::ProgramRun demo = consumers::Run(consumers::UbinDemoPath(), {ubin, QString::fromStdString(text)});
        ASSERT_EQ(demo.ExitCode, 0) << demo.Err;
        std::string expected;
        for (const std::string &row : Expected(own, line, std::max(width, reach)))
            expected += row + '\n';
        EXPECT_EQ(demo.Out, expected);
    }
    if (consumers::U8g2Dir().isEmpty())
        GTEST_SKIP() << "u8g2 was not found (DOTRIX_THIRD_PARTY_DIR/u8g2-2.37): the u8g2 half is skipped";
    SCOPED_TRACE("u8g2");
    const QString bdf = dir.filePath("line.bdf");
    ASSERT_EQ(Export(ExportFormat::Bdf, characters, settings, bdf).State, FontExportResult::Done);
    const consumers::U8g2Drawer drawer = consumers::BuildU8g2Drawer(bdf, dir.path());
    ASSERT_EQ(drawer.Error, "");
    const std::vector<consumers::DotRows> drawn =
        consumers::DrawWithU8g2(drawer, room, own.Metrics.CellHeight, own.Metrics.Baseline, {text}, &error);
    ASSERT_EQ(drawn.size(), 1u) << error;
    EXPECT_TRUE(drawn.front() == Expected(own, line, room));
}
