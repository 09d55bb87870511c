#pragma once
// Drawing one character into a picture of its glyph cell.

#include "glyphpatch.h"
#include "glyphsettings.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <string>
#include <vector>

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
// patch, when given, puts its dots in place of the font's for a character it holds (see
// GlyphDrawer).
QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased = false, GlyphInk *ink = nullptr,
                      int inkCoverage = 1, const GlyphPatch *patch = nullptr);

// A glyph drawn once into its cell with a margin of Room pixels round it, kept so that the cell
// can be taken out again with the glyph moved up or down, without drawing it a second time
// (drawing at an offset whole pixels lower gives the same picture moved down).
struct KeptGlyph
{
    QImage Canvas;      // the cell and its margin as drawn; null when not Whole
    int Room = 0;
    GlyphInk Ink;       // where the ink lies against the cell, as drawn
    bool Whole = false; // every dot of ink lies on Canvas
    qreal Advance = 0;  // the font's advance for the character (GlyphDrawer::Advance's)

    // The cell's picture with the glyph dy pixels lower than drawn (DrawGlyphImage's picture at
    // the y offset plus dy) and where its ink then lies; only for a Whole glyph.
    QImage Cell(int width, int height, int dy) const;
    GlyphInk InkMovedDown(int width, int height, int dy) const;
};

// Draws glyphs of one font as DrawGlyphImage does, keeping what every glyph of a
// run shares: the font, its metrics and the canvas with its painting engine, which cost more to
// make than a small glyph costs to draw. One drawer per thread.
// With a patch, a character it holds is drawn from its dots instead, black on white (full ink
// at every bit depth), moved with the offsets as the font's glyph would be, whenever the font and
// the cell are the patch's (a patch of another font or size is left out: the runs refuse it
// first, see CheckPatch); its advance stays the font's. The patch outlives the drawer.
class GlyphDrawer
{
public:
    GlyphDrawer(const GlyphFontDesc &font, bool antialiased, const GlyphPatch *patch = nullptr);
    ~GlyphDrawer();
    GlyphDrawer(const GlyphDrawer &) = delete;
    GlyphDrawer &operator=(const GlyphDrawer &) = delete;

    QImage Draw(const std::string &character, int x, int y, int width, int height, GlyphInk *ink = nullptr,
                int inkCoverage = 1);
    // The glyph drawn as Draw draws it, with its margin and ink kept, and its advance. Asking for
    // the advance after drawing costs nothing: the font has the glyph at hand.
    KeptGlyph DrawKept(const std::string &character, int x, int y, int width, int height, int inkCoverage = 1);
    // How far the font moves the pen past character (code page 936) as it lays out the drawn
    // text: the font's own advance at the glyph's pixel size, with its fraction of a pixel.
    qreal Advance(const std::string &character) const;

private:
    struct Fonts;
    // Draws into m_canvas when the glyph's box lies within the cell's margin; false otherwise.
    bool DrawOnCanvas(const QString &text, int x, int y, int width, int height, QRect &canvasRect);
    void WarmGlyph(const QString &text, const QPoint &origin);
    // The patch's dots of character for a width x height cell, or nullptr.
    const std::vector<uint8_t> *PatchedDots(const std::string &character, int width, int height) const;

    std::unique_ptr<Fonts> m_fonts;
    GlyphFontDesc m_desc;
    bool m_antialiased;
    const GlyphPatch *m_patch;
    QImage m_canvas; // the cell with its margin, white again before each glyph
};

// Where the ink of the character drawn as DrawGlyphImage draws it lies, without the cell's
// picture: the glyph alone is drawn into a picture of its own bounding box (a few pixels more on
// every side), so ink far outside the cell is found too.
GlyphInk MeasureGlyphInk(const std::string &character, int x, int y, int width, int height,
                         const GlyphFontDesc &font, bool antialiased = false, int inkCoverage = 1);
