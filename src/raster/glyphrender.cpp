#include "glyphrender.h"

#include "charset/cp936.h"
#include "glyphbitmap.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Offsets far outside the picture are clipped anyway; keep the arithmetic in range.
QPoint Origin(int x, int y, const QFontMetrics &metrics)
{
    return QPoint(std::clamp(x, -1'000'000, 1'000'000), std::clamp(y, -1'000'000, 1'000'000) + metrics.ascent());
}

void DrawAt(QImage &image, const QPoint &origin, const QString &text, const QFont &font, bool antialiased)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(origin, text);
}

// The smallest rectangle of the picture that holds every pixel of at least coverage (black ink
// on white); null when none.
QRect InkBox(const QImage &image, int coverage)
{
    int left = image.width(), right = -1, top = -1, bottom = -1;
    const int lightest = 255 - std::clamp(coverage, 1, 255);
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (qBlue(pixels[x]) <= lightest) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        if (first < 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The pixels the glyph may touch, drawn at origin: its bounding box with room pixels more on
// every side. One character's box comes from its glyph alone, without laying out text.
QRect GlyphBounds(const QString &text, const QFontMetrics &metrics, const QPoint &origin, int room)
{
    const QRect box = text.size() == 1 ? metrics.boundingRect(text.front()) : metrics.boundingRect(text);
    return box.translated(origin).adjusted(-room, -room, room, room);
}

// Font metrics round a glyph's box to whole pixels in ways the drawn glyph need not follow
// exactly: the picture of a glyph alone has this much room around its box.
int CanvasRoom(const QFontMetrics &metrics)
{
    return 2 + metrics.height() / 8;
}

GlyphInk InkOfGlyphAlone(const QString &text, const QFont &font, const QFontMetrics &metrics, const QPoint &origin,
                         int width, int height, bool antialiased, int coverage)
{
    GlyphInk ink;
    const QRect bounds = GlyphBounds(text, metrics, origin, CanvasRoom(metrics));
    if (bounds.isEmpty())
        return ink;
    QImage canvas(bounds.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    DrawAt(canvas, origin - bounds.topLeft(), text, font, antialiased);
    const QRect box = InkBox(canvas, coverage);
    if (box.isNull())
        return ink;
    ink.Box = box.translated(bounds.topLeft());
    ink.Outside = !QRect(0, 0, std::max(0, width), std::max(0, height)).contains(ink.Box);
    return ink;
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
    const QPoint origin = Origin(x, y, metrics);
    const QString text = Cp936ToQString(character);
    const QRect cell(0, 0, width, height);
    const int room = CanvasRoom(metrics);
    const QRect canvasRect = cell.adjusted(-room, -room, room, room);
    if (!ink || !canvasRect.contains(GlyphBounds(text, metrics, origin, 1))) {
        DrawAt(image, origin, text, qfont, antialiased);
        // A glyph that may reach past the cell and its margin, far off at a large offset, say.
        if (ink)
            *ink = InkOfGlyphAlone(text, qfont, metrics, origin, width, height, antialiased, inkCoverage);
        return image;
    }
    // The usual glyph, near its cell: drawn once into the cell with a margin round it, where the
    // ink the cell cuts off is found; the cell is then taken out of it.
    QImage canvas(canvasRect.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    DrawAt(canvas, origin - canvasRect.topLeft(), text, qfont, antialiased);
    const QRect box = InkBox(canvas, inkCoverage);
    if (!box.isNull()) {
        ink->Box = box.translated(canvasRect.topLeft());
        ink->Outside = !cell.contains(ink->Box);
    }
    return canvas.copy(cell.translated(-canvasRect.topLeft()));
}

GlyphInk MeasureGlyphInk(const std::string &character, int x, int y, int width, int height,
                         const GlyphFontDesc &font, bool antialiased, int inkCoverage)
{
    if (character.empty())
        return {};
    const QFont qfont = font.ToQFont(antialiased);
    const QFontMetrics metrics(qfont);
    return InkOfGlyphAlone(Cp936ToQString(character), qfont, metrics, Origin(x, y, metrics), width, height,
                           antialiased, inkCoverage);
}

bool RenderGlyph(const std::string &character, const QString &baseName, int x, int y, int width,
                 int height, const GlyphFontDesc &font, OutputDirectory &output, QString *error, GlyphInk *ink)
{
    const QImage image = DrawGlyphImage(character, x, y, width, height, font, false, ink);
    return output.WriteFile(baseName + QStringLiteral(".bmp"), EncodeBitmapFile(image, width, height), error);
}
