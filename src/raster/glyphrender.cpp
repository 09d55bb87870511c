#include "glyphrender.h"

#include "charset/cp936.h"
#include "glyphbitmap.h"
#include "glyphinkmeter.h"

#include <QFontMetrics>

namespace {

GlyphInk InkOfGlyphAlone(const std::string &character, const GlyphFontDesc &font, int x, int y, int width,
                         int height, bool antialiased, int coverage)
{
    return GlyphInkMeter(font, antialiased, coverage).Measure(character, x, y, width, height);
}

} // namespace

QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased, GlyphInk *ink, int inkCoverage)
{
    if (ink)
        *ink = GlyphInk();
    if (width <= 0 || height <= 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (character.empty())
        return image;

    const QFont qfont = font.ToQFont(antialiased);
    const QFontMetrics metrics(qfont);
    const QPoint origin = GlyphOrigin(x, y, metrics);
    const QString text = Cp936ToQString(character);
    const QRect cell(0, 0, width, height);
    const int room = GlyphCanvasRoom(metrics);
    const QRect canvasRect = cell.adjusted(-room, -room, room, room);
    if (!ink || !canvasRect.contains(GlyphBounds(text, metrics, origin, 1))) {
        DrawGlyphAt(image, origin, text, qfont, antialiased);
        // A glyph that may reach past the cell and its margin, far off at a large offset, say.
        if (ink)
            *ink = InkOfGlyphAlone(character, font, x, y, width, height, antialiased, inkCoverage);
        return image;
    }
    // The usual glyph, near its cell: drawn once into the cell with a margin round it, where the
    // ink the cell cuts off is found; the cell is then taken out of it.
    QImage canvas(canvasRect.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    DrawGlyphAt(canvas, origin - canvasRect.topLeft(), text, qfont, antialiased);
    const QRect box = FindInkBox(canvas, canvas.rect(), inkCoverage);
    if (!box.isNull()) {
        ink->Box = box.translated(canvasRect.topLeft());
        ink->Outside = !cell.contains(ink->Box);
    }
    return canvas.copy(cell.translated(-canvasRect.topLeft()));
}

qreal GlyphAdvance(const std::string &character, const GlyphFontDesc &font, bool antialiased)
{
    if (character.empty())
        return 0;
    return QFontMetricsF(font.ToQFont(antialiased)).horizontalAdvance(Cp936ToQString(character));
}

GlyphInk MeasureGlyphInk(const std::string &character, int x, int y, int width, int height,
                         const GlyphFontDesc &font, bool antialiased, int inkCoverage)
{
    return InkOfGlyphAlone(character, font, x, y, width, height, antialiased, inkCoverage);
}
