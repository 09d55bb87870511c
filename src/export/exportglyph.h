#pragma once
// ExportGlyph: one glyph of a font export: its code point, the levels of its whole cell, its ink
// box and the offsets and advance display libraries place it by.

#include "raster/dotmatrix.h"
#include "raster/glyphrender.h"

#include <cstdint>
#include <string>
#include <vector>

// Sixteenths of a pixel as whole pixels, rounded to the nearest (half up), as LVGL rounds an
// advance.
inline int RoundSixteenths(int sixteenths)
{
    return (sixteenths + 8) >> 4;
}

struct ExportGlyph
{
    char32_t CodePoint = 0;
    std::string Character; // code page 936 bytes
    int Bpp = 1;           // bits per pixel: 1, 2, 4 or 8
    int CellWidth = 0;     // the cell: the batch's glyph size
    int CellHeight = 0;

    // One level per dot of the cell, row by row from the top: 0 is clear, MaxLevel() full ink.
    // At 1 bpp these are exactly the batch's dots (1 where the batch loads CellInk); at 2, 4 and
    // 8 bpp the anti-aliased coverage, rounded to the nearest level.
    std::vector<uint8_t> Levels;

    // The ink box: the smallest rectangle of the cell that holds every non-zero level, in cell
    // coordinates. All 0 for an empty glyph (a space).
    int BoxLeft = 0;
    int BoxTop = 0;
    int BoxWidth = 0;
    int BoxHeight = 0;
    // Offsets as display libraries give them: x from the pen to the box's left edge, y from the
    // baseline up to the box's bottom edge (negative below the baseline). Both 0 for an empty
    // glyph. The pen stands at the cell's left edge (x is BoxLeft), or, with the font's own
    // advances, where the glyph was drawn from: the settings' x offset.
    int OffsetX = 0;
    int OffsetY = 0;
    int Advance = 0;   // whole pixels from this glyph's pen to the next one's
    int Advance16 = 0; // the same in sixteenths of a pixel: the font's own advance keeps its
                       // fraction here (LVGL stores it so); Advance is it rounded
    GlyphInk Ink;    // the whole ink as drawn, also what the cell cut off

    int MaxLevel() const { return (1 << Bpp) - 1; }
    bool Empty() const { return BoxWidth == 0 || BoxHeight == 0; }
    // The level at column x, row y of the cell; 0 outside it.
    int Level(int x, int y) const;
    // The box's levels, row by row from its top, each row left to right.
    std::vector<uint8_t> BoxLevels() const;
    // Sets the ink box and the offsets from Levels, for a baseline that many rows below the
    // cell's top and the pen at column penX.
    void FindInkBox(int baseline, int penX);
    // Puts the cell into rows 0..CellHeight-1, columns 0..CellWidth-1 of matrix as a glyph
    // bitmap loads it: CellInk where the level is not 0, CellBlank elsewhere. At 1 bpp PackGlyph
    // then packs exactly the batch's bytes.
    void CopyToMatrix(DotMatrix &matrix) const;
};
