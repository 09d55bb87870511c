// The export dialog's preview line against what the exported file holds: the same width as the
// file's advances, every glyph's levels at its pen (as the readers in textsetting_test place
// them), the grid of the cell advances, and the font's kerning closing its pairs.

#include "export/exportpreview.h"
#include "export/fontexport.h"
#include "export/kerning.h"

#include <gtest/gtest.h>

namespace {

GlyphSettings FontAt16(const char *face)
{
    GlyphSettings settings;
    settings.GlyphFont.Face = QString::fromUtf8(face);
    settings.GlyphFont.SetPixelHeight(16);
    return settings;
}

// The preview's level at a dot, read back from its grey.
int LevelAt(const ExportPreview &preview, int x, int y, int bpp)
{
    const int top = (1 << bpp) - 1;
    return ((255 - qGray(preview.Image.pixel(x, y))) * top + 127) / 255;
}

} // namespace

TEST(ExportPreview, LineIsSetAsTheExportedFileSetsIt)
{
    GlyphSettings settings = FontAt16("WenQuanYi Zen Hei");
    if (!settings.GlyphFont.IsInstalled())
        GTEST_SKIP() << "WenQuanYi Zen Hei (Debian fonts-wqy-zenhei) is not installed";
    const QString text = QStringLiteral("温度: 23.5°C Hello, 世界!");
    const std::vector<CodePointChar> line = PreviewCharacters(text);
    ASSERT_EQ(line.size(), 21u);
    const int bpp = 4;
    const ExportPreview preview = DrawExportPreview(line, settings, bpp, AdvanceMode::Font, true);
    ASSERT_FALSE(preview.Image.isNull());
    ASSERT_EQ(preview.Image.format(), QImage::Format_Grayscale8);
    ASSERT_EQ(preview.Image.height(), settings.Height);

    // The line as the file's glyphs give it: each cell's levels at its pen less the pen's column,
    // the pen moved by each glyph's advance; the darker level where two cells meet.
    const ExportFontMetrics metrics = MeasureExportFont(settings, bpp, AdvanceMode::Font);
    std::vector<std::vector<int>> expected(size_t(preview.Image.height()), std::vector<int>(size_t(preview.Image.width())));
    int pen = 0;
    for (const CodePointChar &character : line) {
        const ExportGlyph glyph = DrawExportGlyph(character, settings, bpp, metrics);
        for (int y = 0; y < glyph.CellHeight; ++y)
            for (int x = 0; x < glyph.CellWidth; ++x) {
                const int column = preview.PenLeft + pen - metrics.PenX + x;
                if (glyph.Level(x, y) == 0)
                    continue;
                ASSERT_TRUE(column >= 0 && column < preview.Image.width()) << "ink outside the preview";
                expected[size_t(y)][size_t(column)] = std::max(expected[size_t(y)][size_t(column)], glyph.Level(x, y));
            }
        pen += glyph.Advance;
    }
    EXPECT_EQ(preview.Width, pen);
    EXPECT_GT(pen, 21 * 8);
    EXPECT_LT(pen, 21 * 16);
    int wrong = 0;
    for (int y = 0; y < preview.Image.height(); ++y)
        for (int x = 0; x < preview.Image.width(); ++x)
            wrong += LevelAt(preview, x, y, bpp) != expected[size_t(y)][size_t(x)];
    EXPECT_EQ(wrong, 0) << "dots differ from the glyphs' levels at their pens";

    // The cell's grid: 16 pixels a character; half of it for each single-byte one (16 of them).
    EXPECT_EQ(DrawExportPreview(line, settings, bpp, AdvanceMode::Cell, false).Width, 21 * 16);
    EXPECT_EQ(DrawExportPreview(line, settings, bpp, AdvanceMode::Half, false).Width, 16 * 8 + 5 * 16);
}

TEST(ExportPreview, KerningClosesTheFontsPairs)
{
    const GlyphSettings settings = FontAt16("DejaVu Sans");
    if (!settings.GlyphFont.IsInstalled())
        GTEST_SKIP() << "DejaVu Sans (Debian fonts-dejavu-core) is not installed";
    const std::vector<CodePointChar> line = PreviewCharacters(QStringLiteral("AVAWAY To"));
    const ExportPreview plain = DrawExportPreview(line, settings, 2, AdvanceMode::Font, false);
    const ExportPreview kerned = DrawExportPreview(line, settings, 2, AdvanceMode::Font, true);
    int closer16 = 0, pairs = 0;
    for (const KernPair &pair : MeasureKerning(MapToCodePoints("AVWYTo ").Characters, settings, 2))
        for (size_t i = 0; i + 1 < line.size(); ++i)
            if (line[i].CodePoint == pair.Left && line[i + 1].CodePoint == pair.Right) {
                closer16 -= pair.Value16;
                ++pairs;
            }
    ASSERT_GT(pairs, 3) << "DejaVu Sans kerns AV, VA, AW, WA, AY and To";
    // Each pair's value is rounded with its glyph's advance: half a pixel each at most.
    EXPECT_NEAR(plain.Width - kerned.Width, closer16 / 16.0, pairs / 2.0 + 0.01);
    EXPECT_LT(kerned.Image.width(), plain.Image.width());
}
