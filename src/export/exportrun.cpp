#include "exportrun.h"

#include "raster/glyphbitmap.h"
#include "raster/glyphpipeline.h"
#include "raster/glyphrender.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

// The cell's levels from the drawn picture, black ink on white: at 1 bpp the batch's ink test on
// the blue byte, above it the coverage (how far the blue byte is from white).
void ReadLevels(const QImage &image, int bpp, ExportGlyph &glyph)
{
    glyph.Levels.assign(size_t(glyph.CellWidth) * size_t(glyph.CellHeight), 0);
    if (image.isNull())
        return;
    for (int y = 0; y < glyph.CellHeight; ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        uint8_t *levels = glyph.Levels.data() + size_t(y) * size_t(glyph.CellWidth);
        for (int x = 0; x < glyph.CellWidth; ++x) {
            const QRgb pixel = pixels[x];
            if (bpp == 1)
                levels[x] = IsClearPixel(InkTest::BlueByte, uint8_t(qBlue(pixel)), uint8_t(qGreen(pixel)),
                                         uint8_t(qRed(pixel)))
                                ? 0
                                : 1;
            else
                levels[x] = uint8_t(QuantiseCoverage(255 - qBlue(pixel), bpp));
        }
    }
}

void FindInkBox(int baseline, int penX, ExportGlyph &glyph)
{
    int left = glyph.CellWidth, right = -1, top = glyph.CellHeight, bottom = -1;
    for (int y = 0; y < glyph.CellHeight; ++y) {
        const uint8_t *levels = glyph.Levels.data() + size_t(y) * size_t(glyph.CellWidth);
        for (int x = 0; x < glyph.CellWidth; ++x) {
            if (levels[x] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return; // no ink: an empty box, offsets 0
    glyph.BoxLeft = left;
    glyph.BoxTop = top;
    glyph.BoxWidth = right - left + 1;
    glyph.BoxHeight = bottom - top + 1;
    glyph.OffsetX = left - penX;
    glyph.OffsetY = baseline - (bottom + 1);
}

// Offsets far outside the cell are drawn clipped; the arithmetic stays in range as drawing's does.
int ClampOffset(int offset)
{
    return std::clamp(offset, -1'000'000, 1'000'000);
}

} // namespace

bool IsExportBpp(int bpp)
{
    return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8;
}

int QuantiseCoverage(int coverage, int bpp)
{
    const int top = (1 << bpp) - 1;
    return (std::clamp(coverage, 0, 255) * top + 127) / 255;
}

int LeastInkCoverage(int bpp)
{
    int coverage = 1;
    while (coverage < 255 && QuantiseCoverage(coverage, bpp) == 0)
        ++coverage;
    return coverage;
}

ExportFontMetrics MeasureExportFont(const GlyphSettings &settings, int bpp, AdvanceMode advance)
{
    const QFont font = settings.GlyphFont.ToQFont(bpp > 1);
    const QFontMetrics metrics(font);
    ExportFontMetrics result;
    result.Family = QFontInfo(font).family();
    result.PixelSize = settings.GlyphFont.PixelHeight();
    result.PointSize = int(std::lround(settings.GlyphFont.PointSize));
    result.DeciPoints = int(std::lround(settings.GlyphFont.PointSize * 10));
    result.CellWidth = std::clamp(settings.Width, 0, DotMatrix::Size);
    result.CellHeight = std::clamp(settings.Height, 0, DotMatrix::Size);
    result.Advance = result.CellWidth;
    result.AdvanceBy = advance;
    // Drawing puts the pen at the cell's left edge plus the x offset.
    result.PenX = advance == AdvanceMode::Font ? ClampOffset(settings.OffsetX) : 0;
    result.LineHeight = result.CellHeight;
    // Drawing puts the baseline at the cell's top edge plus the ascent.
    result.Baseline = ClampOffset(settings.OffsetY) + metrics.ascent();
    result.Descent = result.LineHeight - result.Baseline;
    result.UnderlinePosition = metrics.underlinePos();
    result.UnderlineThickness = std::max(1, metrics.lineWidth());
    return result;
}

int ExportAdvance16(const CodePointChar &character, const GlyphSettings &settings, int bpp, const ExportFontMetrics &metrics)
{
    switch (metrics.AdvanceBy) {
    case AdvanceMode::Font:
        // A font's advance is never negative; a mark that does not move the pen has 0.
        return std::max(0, int(std::lround(GlyphAdvance(character.Character, settings.GlyphFont, bpp > 1) * 16)));
    case AdvanceMode::Half:
        if (character.Character.size() == 1)
            return metrics.CellWidth / 2 * 16;
        break;
    case AdvanceMode::Cell:
        break;
    }
    return metrics.CellWidth * 16;
}

ExportGlyph DrawExportGlyph(const CodePointChar &character, const GlyphSettings &settings, int bpp,
                            const ExportFontMetrics &metrics)
{
    ExportGlyph glyph;
    glyph.CodePoint = character.CodePoint;
    glyph.Character = character.Character;
    glyph.Bpp = bpp;
    glyph.CellWidth = std::clamp(settings.Width, 0, DotMatrix::Size);
    glyph.CellHeight = std::clamp(settings.Height, 0, DotMatrix::Size);
    glyph.Advance16 = ExportAdvance16(character, settings, bpp, metrics);
    glyph.Advance = RoundSixteenths(glyph.Advance16);
    const QImage image = DrawGlyphImage(character.Character, settings.OffsetX, settings.OffsetY, glyph.CellWidth,
                                        glyph.CellHeight, settings.GlyphFont, bpp > 1, &glyph.Ink,
                                        LeastInkCoverage(bpp));
    ReadLevels(image, bpp, glyph);
    FindInkBox(metrics.Baseline, metrics.PenX, glyph);
    return glyph;
}

ExportRunResult DrawExportGlyphs(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                 int bpp, AdvanceMode advance, JobControl &control, const ExportGlyphSink &sink)
{
    ExportRunResult result;
    control.SetDone(0);
    const ExportFontMetrics metrics = MeasureExportFont(settings, bpp, advance);
    GlyphPipeline<ExportGlyph> pipeline(characters.size(), [&] {
        return [&](size_t i) { return DrawExportGlyph(characters[i], settings, bpp, metrics); };
    });
    // Writing a glyph costs little next to drawing it: every core draws.
    pipeline.Start(GlyphPipeline<ExportGlyph>::WorkerCount(0, 8));
    ExportGlyph glyph;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (control.Cancelled()) {
            result.State = ExportRunResult::Cancelled;
            break;
        }
        if (!pipeline.Take(i, glyph))
            break;
        if (!sink(glyph, &result.Error)) {
            result.State = ExportRunResult::Failed;
            break;
        }
        result.Glyphs = int(i + 1);
        control.SetDone(result.Glyphs);
    }
    pipeline.Stop();
    return result;
}
