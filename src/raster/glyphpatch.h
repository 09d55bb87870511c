#pragma once
// GlyphPatch: glyphs fixed by hand, dot by dot, kept per character (by Unicode code point)
// together with the cell and the font they were drawn in. Every drawing of a character goes
// through GlyphDrawer, which puts a patched character's dots in place of the font's, so every
// output (the single glyph, its preview, the batch, the font exports) carries the same fix.
// Reading and writing the patch file is export/patchfile.h's.
//
// A patch is shared read-only between the runs that draw with it (GlyphSettings::Patch); an
// edit makes a new GlyphPatch (copy, change, then hand the copy to the settings).

#include "base/failure.h"
#include "dotmatrix.h"
#include "glyphsettings.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What the patched glyphs were drawn with: the cell, where it was drawn from, and the font.
struct PatchBasis
{
    int Width = 0;  // the cell, in dots
    int Height = 0;
    int OffsetX = 0; // the offsets the cell was drawn at when the dots were fixed
    int OffsetY = 0;
    QString Face;         // the settings' face (as chosen, not as resolved)
    double PointSize = 0; // as the settings give it
    int PixelSize = 0;    // the pixel height drawn at: what decides the glyph
    int Weight = 0;
    bool Italic = false;

    // The basis of glyphs drawn with settings.
    static PatchBasis Of(const GlyphSettings &settings);
    // Settings that draw as the basis says (for writing the patch file's font properties).
    GlyphSettings ToSettings() const;
};

class GlyphPatch
{
public:
    // The dots of one glyph: Width x Height of the basis, row by row from the top, 1 for ink.
    using Dots = std::vector<uint8_t>;

    PatchBasis Basis;
    QString Path; // the file it was read from or is saved to, for messages

    bool Empty() const { return m_glyphs.empty(); }
    size_t Size() const { return m_glyphs.size(); }
    const std::map<char32_t, Dots> &Glyphs() const { return m_glyphs; }

    // The patched dots of a character, or nullptr. character is code page 936 (one character).
    const Dots *Find(char32_t codePoint) const;
    const Dots *Find(const std::string &character) const;

    // Why the patch cannot be drawn with settings (another cell size, font face, font size,
    // weight or slant): FailureCode::PatchMismatch naming what differs; none when it can. An
    // empty patch matches any settings.
    Failure Check(const GlyphSettings &settings) const;
    // The same for the font alone (face, pixel size, weight, slant).
    Failure CheckFont(const GlyphFontDesc &font) const;

    // The editing of one glyph. Sets the character's dots to the width x height cell of matrix as
    // drawn with settings (CellInk is ink). An empty patch takes settings as its basis; a
    // patch of other settings refuses (Check's failure). Drawn at other offsets than the basis,
    // the dots are moved back to the basis' offsets; a dot that then leaves the cell refuses
    // with FailureCode::PatchGlyphOutside.
    Failure SetGlyph(char32_t codePoint, const DotMatrix &matrix, const GlyphSettings &settings);
    // Puts dots (Basis.Width x Basis.Height) in as they are; false when their size is not the cell's.
    bool SetDots(char32_t codePoint, Dots dots);
    // Takes a character's fix out (its glyph is the font's again); false when it had none.
    bool Revert(char32_t codePoint);

    // The character's patched dots drawn black on white into image, the cell's top-left corner at
    // cellTopLeft, the glyph moved by (x - Basis.OffsetX, y - Basis.OffsetY) for a cell drawn at
    // offsets x, y. Returns where the ink lies in cell coordinates (null: no ink); dots beyond
    // the image are left out.
    QRect Paint(const Dots &dots, QImage &image, QPoint cellTopLeft, int x, int y) const;

private:
    std::map<char32_t, Dots> m_glyphs;
};

// The Unicode code point of one code page 936 character; 0 for none or more than one.
char32_t CodePointOf(const std::string &character);
