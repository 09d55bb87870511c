#include "glyphinkmeter.h"

#include "charset/cp936.h"

#include <QPainter>

QPoint GlyphOrigin(int x, int y, const QFontMetrics &metrics)
{
    return QPoint(std::clamp(x, -1'000'000, 1'000'000), std::clamp(y, -1'000'000, 1'000'000) + metrics.ascent());
}

void DrawGlyphAt(QImage &image, const QPoint &origin, const QString &text, const QFont &font, bool antialiased)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(origin, text);
}

QRect FindInkBox(const QImage &image, const QRect &area, int coverage)
{
    int left = area.right() + 1, right = -1, top = -1, bottom = -1;
    const int lightest = 255 - std::clamp(coverage, 1, 255);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = -1, last = -1;
        for (int x = area.left(); x <= area.right(); ++x) {
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

QRect GlyphBounds(const QString &text, const QFontMetrics &metrics, const QPoint &origin, int room)
{
    // One character's box comes from its glyph alone, without laying out text.
    const QRect box = text.size() == 1 ? metrics.boundingRect(text.front()) : metrics.boundingRect(text);
    return box.translated(origin).adjusted(-room, -room, room, room);
}

int GlyphCanvasRoom(const QFontMetrics &metrics)
{
    return 2 + metrics.height() / 8;
}

GlyphInkMeter::GlyphInkMeter(const GlyphFontDesc &font, bool antialiased, int inkCoverage)
    : m_font(font.ToQFont(antialiased)), m_metrics(m_font), m_antialiased(antialiased), m_coverage(inkCoverage)
{
}

GlyphInk GlyphInkMeter::Measure(const std::string &character, int x, int y, int width, int height)
{
    GlyphInk ink;
    if (character.empty())
        return ink;
    const QString text = Cp936ToQString(character);
    const QPoint origin = GlyphOrigin(x, y, m_metrics);
    const QRect bounds = GlyphBounds(text, m_metrics, origin, GlyphCanvasRoom(m_metrics));
    if (bounds.isEmpty())
        return ink;
    if (m_canvas.width() < bounds.width() || m_canvas.height() < bounds.height())
        m_canvas = QImage(std::max(m_canvas.width(), bounds.width()), std::max(m_canvas.height(), bounds.height()),
                          QImage::Format_RGB32);
    m_canvas.fill(Qt::white);
    DrawGlyphAt(m_canvas, origin - bounds.topLeft(), text, m_font, m_antialiased);
    const QRect box = FindInkBox(m_canvas, QRect(QPoint(0, 0), bounds.size()), m_coverage);
    if (box.isNull())
        return ink;
    ink.Box = box.translated(bounds.topLeft());
    ink.Outside = !QRect(0, 0, std::max(0, width), std::max(0, height)).contains(ink.Box);
    return ink;
}
