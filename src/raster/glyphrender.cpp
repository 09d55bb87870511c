#include "glyphrender.h"

#include "charset/cp936.h"
#include "glyphbitmap.h"
#include "glyphinkmeter.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>

namespace {

GlyphInk InkOfGlyphAlone(const std::string &character, const GlyphFontDesc &font, int x, int y, int width,
                         int height, bool antialiased, int coverage)
{
    return GlyphInkMeter(font, antialiased, coverage).Measure(character, x, y, width, height);
}

} // namespace

struct GlyphDrawer::Fonts
{
    QFont Font;
    QFontMetrics Metrics;
    QFontMetricsF MetricsF;
    QRawFont Raw; // the face text is drawn with, as laid out
};

GlyphDrawer::GlyphDrawer(const GlyphFontDesc &font, bool antialiased, const GlyphPatch *patch)
    : m_desc(font), m_antialiased(antialiased), m_patch(patch && !patch->Empty() && !patch->CheckFont(font) ? patch : nullptr)
{
    const QFont qfont = font.ToQFont(antialiased);
    m_fonts.reset(new Fonts{qfont, QFontMetrics(qfont), QFontMetricsF(qfont), QRawFont()});
    QTextLayout layout(QStringLiteral("\u4E2D"), qfont);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (!runs.isEmpty())
        m_fonts->Raw = runs.front().rawFont();
}

GlyphDrawer::~GlyphDrawer() = default;

void GlyphDrawer::WarmGlyph(const QString &text, const QPoint &origin)
{
    // Laying out text asks the font for the glyph's advance, which has the font load the glyph
    // (hinted) once for its metrics and again to draw it; the glyph drawn first is at hand for
    // both. The picture is then drawn as text, so it stays exactly what drawing text gives.
    const QRawFont &raw = m_fonts->Raw;
    quint32 index = 0;
    int count = 1;
    if (!raw.isValid() || !raw.glyphIndexesForChars(text.constData(), int(text.size()), &index, &count) || count != 1
        || index == 0)
        return;
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(0, 0)});
    QPainter painter(&m_canvas);
    painter.setRenderHint(QPainter::TextAntialiasing, m_antialiased);
    painter.drawGlyphRun(origin, run);
}

bool GlyphDrawer::DrawOnCanvas(const QString &text, int x, int y, int width, int height, QRect &canvasRect)
{
    const QFontMetrics &metrics = m_fonts->Metrics;
    const QPoint origin = GlyphOrigin(x, y, metrics);
    const int room = GlyphCanvasRoom(metrics);
    canvasRect = QRect(0, 0, width, height).adjusted(-room, -room, room, room);
    if (!canvasRect.contains(GlyphBounds(text, metrics, origin, 1)))
        return false;
    if (m_canvas.size() != canvasRect.size())
        m_canvas = QImage(canvasRect.size(), QImage::Format_RGB32);
    WarmGlyph(text, origin - canvasRect.topLeft());
    m_canvas.fill(Qt::white);
    DrawGlyphAt(m_canvas, origin - canvasRect.topLeft(), text, m_fonts->Font, m_antialiased);
    return true;
}

const std::vector<uint8_t> *GlyphDrawer::PatchedDots(const std::string &character, int width, int height) const
{
    if (!m_patch || m_patch->Basis.Width != width || m_patch->Basis.Height != height)
        return nullptr;
    return m_patch->Find(character);
}

QImage GlyphDrawer::Draw(const std::string &character, int x, int y, int width, int height, GlyphInk *ink,
                         int inkCoverage)
{
    if (ink)
        *ink = GlyphInk();
    if (width <= 0 || height <= 0)
        return {};
    if (const std::vector<uint8_t> *dots = PatchedDots(character, width, height)) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRect box = m_patch->Paint(*dots, image, QPoint(0, 0), x, y);
        if (ink && !box.isNull())
            *ink = {box, !image.rect().contains(box)};
        return image;
    }
    const QString text = Cp936ToQString(character);
    const QRect cell(0, 0, width, height);
    QRect canvasRect;
    // The usual glyph, near its cell: drawn once into the cell with a margin round it, where the
    // ink the cell cuts off is found; the cell is then taken out of it.
    if (ink && !character.empty() && DrawOnCanvas(text, x, y, width, height, canvasRect)) {
        const QRect box = FindInkBox(m_canvas, m_canvas.rect(), inkCoverage);
        if (!box.isNull()) {
            ink->Box = box.translated(canvasRect.topLeft());
            ink->Outside = !cell.contains(ink->Box);
        }
        return m_canvas.copy(cell.translated(-canvasRect.topLeft()));
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (character.empty())
        return image;
    DrawGlyphAt(image, GlyphOrigin(x, y, m_fonts->Metrics), text, m_fonts->Font, m_antialiased);
    // A glyph that may reach past the cell and its margin, far off at a large offset, say.
    if (ink)
        *ink = InkOfGlyphAlone(character, m_desc, x, y, width, height, m_antialiased, inkCoverage);
    return image;
}

KeptGlyph GlyphDrawer::DrawKept(const std::string &character, int x, int y, int width, int height, int inkCoverage)
{
    KeptGlyph kept;
    if (width <= 0 || height <= 0)
        return kept;
    QRect canvasRect;
    if (const std::vector<uint8_t> *dots = PatchedDots(character, width, height)) {
        // The dots drawn into the cell with a margin round it wide enough to hold them moved by
        // the offsets (up to a cell's size either way; beyond it the glyph is cut off anyway).
        const long long shift = std::max(std::abs((long long)x - m_patch->Basis.OffsetX),
                                         std::abs((long long)y - m_patch->Basis.OffsetY));
        kept.Whole = true;
        kept.Room = int(std::min<long long>(shift, std::max(width, height))) + GlyphCanvasRoom(m_fonts->Metrics);
        kept.Canvas = QImage(width + 2 * kept.Room, height + 2 * kept.Room, QImage::Format_RGB32);
        kept.Canvas.fill(Qt::white);
        const QRect box = m_patch->Paint(*dots, kept.Canvas, QPoint(kept.Room, kept.Room), x, y);
        if (!box.isNull())
            kept.Ink = {box, !QRect(0, 0, width, height).contains(box)};
    } else if (character.empty()) {
        kept.Whole = true;
        kept.Canvas = QImage(width, height, QImage::Format_RGB32);
        kept.Canvas.fill(Qt::white);
    } else if (DrawOnCanvas(Cp936ToQString(character), x, y, width, height, canvasRect)) {
        kept.Whole = true;
        kept.Room = -canvasRect.left();
        kept.Canvas = m_canvas.copy();
        const QRect box = FindInkBox(m_canvas, m_canvas.rect(), inkCoverage);
        if (!box.isNull()) {
            kept.Ink.Box = box.translated(canvasRect.topLeft());
            kept.Ink.Outside = !QRect(0, 0, width, height).contains(kept.Ink.Box);
        }
    } else {
        kept.Ink = InkOfGlyphAlone(character, m_desc, x, y, width, height, m_antialiased, inkCoverage);
    }
    kept.Advance = Advance(character);
    return kept;
}

QImage KeptGlyph::Cell(int width, int height, int dy) const
{
    // The cell lies at (Room, Room) on the canvas; the glyph dy lower is the cell dy higher.
    const QRect window(Room, Room - dy, width, height);
    if (Canvas.rect().contains(window))
        return Canvas.copy(window);
    // Moved further than the margin: what the canvas lacks is paper, as the ink is all on it.
    QImage cell(width, height, QImage::Format_RGB32);
    cell.fill(Qt::white);
    const QRect shared = window.intersected(Canvas.rect());
    for (int y = shared.top(); y <= shared.bottom(); ++y)
        std::copy_n(reinterpret_cast<const QRgb *>(Canvas.constScanLine(y)) + shared.left(), shared.width(),
                    reinterpret_cast<QRgb *>(cell.scanLine(y - window.top())) + (shared.left() - window.left()));
    return cell;
}

GlyphInk KeptGlyph::InkMovedDown(int width, int height, int dy) const
{
    GlyphInk moved;
    if (Ink.Box.isNull())
        return moved;
    moved.Box = Ink.Box.translated(0, dy);
    moved.Outside = !QRect(0, 0, width, height).contains(moved.Box);
    return moved;
}

qreal GlyphDrawer::Advance(const std::string &character) const
{
    if (character.empty())
        return 0;
    return m_fonts->MetricsF.horizontalAdvance(Cp936ToQString(character));
}

QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased, GlyphInk *ink, int inkCoverage,
                      const GlyphPatch *patch)
{
    return GlyphDrawer(font, antialiased, patch).Draw(character, x, y, width, height, ink, inkCoverage);
}

GlyphInk MeasureGlyphInk(const std::string &character, int x, int y, int width, int height,
                         const GlyphFontDesc &font, bool antialiased, int inkCoverage)
{
    return InkOfGlyphAlone(character, font, x, y, width, height, antialiased, inkCoverage);
}
