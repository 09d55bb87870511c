#pragma once
// Drawing one character into a picture of its glyph cell.

#include "glyphsettings.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string>

// Where a drawn character's ink lies, in the coordinates of its cell (column 0, row 0 at the cell's
// top-left corner): the whole ink, also what fell outside the cell and was cut off.
struct GlyphInk
{
    QRect Box;            // the ink's bounding box; null when the character has no ink
    bool Outside = false; // some of the ink lies outside the width x height cell (lost)
};

// Draws character (code page 936, normally one character, may be empty) in black on a white
// width x height picture with the glyph font, antialiasing off, the top-left corner of its
// character cell at (x, y), so its baseline lies at y + the font's ascent; what falls outside is
// cut off. A width or height of 0 or less gives an empty picture. antialiased draws the same
// glyph with grey edges (font exports of 2 to 8 bits per pixel); the dots of every other command
// are drawn without. With ink, also says where the whole ink lies (see MeasureGlyphInk): the
// glyph is drawn into the cell with a margin of a few pixels round it and the cell taken out of
// that; only a glyph whose box reaches past the margin is drawn once more on its own.
// inkCoverage is the least coverage (1 to 255, how far a pixel's blue byte lies from white) that
// counts as ink: anti-aliased glyphs of few levels round faint pixels to none.
QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased = false, GlyphInk *ink = nullptr,
                      int inkCoverage = 1);

// How far the glyph font moves the pen past character (code page 936) as it lays out the drawn
// text: the font's own advance at the glyph's pixel size, with its fraction of a pixel.
qreal GlyphAdvance(const std::string &character, const GlyphFontDesc &font, bool antialiased = false);

// Where the ink of the character drawn as DrawGlyphImage draws it lies, without the cell's
// picture: the glyph alone is drawn into a picture of its own bounding box (a few pixels more on
// every side), so ink far outside the cell is found too.
GlyphInk MeasureGlyphInk(const std::string &character, int x, int y, int width, int height,
                         const GlyphFontDesc &font, bool antialiased = false, int inkCoverage = 1);
