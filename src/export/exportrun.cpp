#include "exportrun.h"

#include "raster/glyphbitmap.h"
#include "raster/glyphpipeline.h"
#include "raster/glyphrender.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

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

namespace {

// The advance in sixteenths of a pixel as metrics say, with the font's own advance given by
// fontAdvance when that is the one wanted.
template <typename FontAdvance>
int Advance16(const CodePointChar &character, const ExportFontMetrics &metrics, FontAdvance fontAdvance)
{
    switch (metrics.AdvanceBy) {
    case AdvanceMode::Font:
        // A font's advance is never negative; a mark that does not move the pen has 0.
        return std::max(0, int(std::lround(fontAdvance() * 16)));
    case AdvanceMode::Half:
        if (character.Character.size() == 1)
            return metrics.CellWidth / 2 * 16;
        break;
    case AdvanceMode::Cell:
        break;
    }
    return metrics.CellWidth * 16;
}

ExportGlyph StartGlyph(const CodePointChar &character, const GlyphSettings &settings, int bpp, int advance16)
{
    ExportGlyph glyph;
    glyph.CodePoint = character.CodePoint;
    glyph.Character = character.Character;
    glyph.Bpp = bpp;
    glyph.CellWidth = std::clamp(settings.Width, 0, DotMatrix::Size);
    glyph.CellHeight = std::clamp(settings.Height, 0, DotMatrix::Size);
    glyph.Advance16 = advance16;
    glyph.Advance = RoundSixteenths(glyph.Advance16);
    return glyph;
}

// A kept glyph's picture costs four bytes a pixel of its cell and margin; beyond this a list's
// glyphs are drawn again rather than kept (the whole GBK set at 16 x 16 keeps about 50 MB).
constexpr qint64 MostKeptBytes = 512LL << 20;

} // namespace

int ExportAdvance16(const CodePointChar &character, const ExportFontMetrics &metrics, qreal fontAdvance)
{
    return Advance16(character, metrics, [&] { return fontAdvance; });
}

ExportGlyph DrawExportGlyph(const CodePointChar &character, const GlyphSettings &settings, int bpp,
                            const ExportFontMetrics &metrics, GlyphDrawer *drawer)
{
    std::optional<GlyphDrawer> own;
    if (!drawer)
        drawer = &own.emplace(settings.GlyphFont, bpp > 1, settings.Patch.get());
    ExportGlyph glyph = StartGlyph(character, settings, bpp, 0);
    const QImage image = drawer->Draw(character.Character, settings.OffsetX, settings.OffsetY, glyph.CellWidth,
                                      glyph.CellHeight, &glyph.Ink, LeastInkCoverage(bpp));
    // After drawing, the font has the glyph's advance at hand.
    glyph.Advance16 = Advance16(character, metrics, [&] { return drawer->Advance(character.Character); });
    glyph.Advance = RoundSixteenths(glyph.Advance16);
    ReadLevels(image, bpp, glyph);
    glyph.FindInkBox(metrics.Baseline, metrics.PenX);
    return glyph;
}

std::vector<KeptGlyph> DrawKeptGlyphs(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                      int bpp, JobControl &control)
{
    std::vector<KeptGlyph> kept(characters.size());
    const int width = std::clamp(settings.Width, 0, DotMatrix::Size);
    const int height = std::clamp(settings.Height, 0, DotMatrix::Size);
    // The margin is about an eighth of the font's height and a little more on every side.
    const qint64 room = 3 + settings.GlyphFont.PixelHeight() / 6;
    const bool pictures = qint64(characters.size()) * (width + 2 * room) * (height + 2 * room) * 4 <= MostKeptBytes;
    GlyphPipeline<KeptGlyph> pipeline(characters.size(), [&] {
        auto drawer = std::make_shared<GlyphDrawer>(settings.GlyphFont, bpp > 1, settings.Patch.get());
        return [&, drawer](size_t i) {
            KeptGlyph glyph = drawer->DrawKept(characters[i].Character, settings.OffsetX, settings.OffsetY, width,
                                               height, LeastInkCoverage(bpp));
            if (!pictures) {
                glyph.Canvas = QImage();
                glyph.Whole = false;
            }
            return glyph;
        };
    });
    pipeline.Start(GlyphPipeline<KeptGlyph>::WorkerCount(0, 8));
    for (size_t i = 0; i < characters.size(); ++i) {
        if (control.Cancelled() || !pipeline.Take(i, kept[i]))
            return {};
        control.SetDone(qint64(i + 1));
    }
    return kept;
}

ExportRunResult DrawExportGlyphs(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                 int bpp, AdvanceMode advance, JobControl &control, const ExportGlyphSink &sink,
                                 const std::vector<KeptGlyph> *kept, int dy)
{
    ExportRunResult result;
    control.SetDone(0);
    const ExportFontMetrics metrics = MeasureExportFont(settings, bpp, advance);
    GlyphPipeline<ExportGlyph> pipeline(characters.size(), [&] {
        auto drawer = std::make_shared<GlyphDrawer>(settings.GlyphFont, bpp > 1, settings.Patch.get());
        return [&, drawer](size_t i) {
            if (!kept || !(*kept)[i].Whole)
                return DrawExportGlyph(characters[i], settings, bpp, metrics, drawer.get());
            const KeptGlyph &drawn = (*kept)[i];
            ExportGlyph glyph =
                StartGlyph(characters[i], settings, bpp, ExportAdvance16(characters[i], metrics, drawn.Advance));
            glyph.Ink = drawn.InkMovedDown(glyph.CellWidth, glyph.CellHeight, dy);
            ReadLevels(drawn.Cell(glyph.CellWidth, glyph.CellHeight, dy), bpp, glyph);
            glyph.FindInkBox(metrics.Baseline, metrics.PenX);
            return glyph;
        };
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
