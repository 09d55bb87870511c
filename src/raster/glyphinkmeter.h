#pragma once
// GlyphInkMeter: where the ink of glyphs drawn with one font lies, found one glyph after another
// on one thread. Each glyph is drawn on its own into a picture of its box; the font and the
// picture are made once for them all.

#include "glyphrender.h"
#include "glyphsettings.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <string>

class GlyphInkMeter
{
public:
    // antialiased and inkCoverage as DrawGlyphImage takes them.
    GlyphInkMeter(const GlyphFontDesc &font, bool antialiased, int inkCoverage);
    // Where the ink of character lies, drawn with its cell's top-left corner at (x, y), against a
    // width x height cell.
    GlyphInk Measure(const std::string &character, int x, int y, int width, int height);

private:
    QFont m_font;
    QFontMetrics m_metrics;
    bool m_antialiased;
    int m_coverage;
    QImage m_canvas; // as large as the largest glyph so far
};

// What the drawing of glyphs shares with the meter.
// The baseline's start for a cell's top-left corner at (x, y); offsets far outside any picture
// are clipped anyway, the arithmetic stays in range.
QPoint GlyphOrigin(int x, int y, const QFontMetrics &metrics);
// Draws text in black, its baseline starting at origin.
void DrawGlyphAt(QImage &image, const QPoint &origin, const QString &text, const QFont &font, bool antialiased);
// The pixels the glyph may touch, drawn at origin: its bounding box with room pixels more on
// every side.
QRect GlyphBounds(const QString &text, const QFontMetrics &metrics, const QPoint &origin, int room);
// Font metrics round a glyph's box to whole pixels in ways the drawn glyph need not follow
// exactly: the room round a glyph's box that surely holds its ink.
int GlyphCanvasRoom(const QFontMetrics &metrics);
// The smallest rectangle of area that holds every pixel of at least coverage (black ink on
// white); null when none.
QRect FindInkBox(const QImage &image, const QRect &area, int coverage);
