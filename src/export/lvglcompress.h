#pragma once
// LVGL's compressed glyph bitmaps (bitmap_format 1, LV_FONT_FMT_TXT_COMPRESSED): each row of the
// glyph's box XORed with the row above it (the first row as it is), then the levels of all rows,
// one after the other, run-length coded as LVGL's font decoder reads them back.

#include <cstdint>
#include <vector>

// Whether LVGL decodes compressed glyphs at this bit depth (2, 3 and 4 bits per pixel).
bool LvglCompressesBpp(int bpp);

// The compressed bytes of a glyph's box: levels holds width x height levels, row by row from the
// top, each below 1 << bpp; bpp is one LvglCompressesBpp takes. Bits run from the most
// significant bit of each byte; the last byte is filled with zero bits. LVGL's reader may look at
// one byte past the last (it always reads two bytes when a value ends on a byte boundary), so the
// array holding the glyphs needs a byte after the last glyph.
std::vector<uint8_t> CompressLvglGlyph(const std::vector<uint8_t> &levels, int width, int height, int bpp);
