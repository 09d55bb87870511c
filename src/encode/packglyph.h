#pragma once
// PackGlyph: turns the glyph in a DotMatrix into hexadecimal value tokens, in scan order.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <string>
#include <string_view>
#include <vector>

// The value tokens of one column (vertical scan) or one row (horizontal scan), top or left first.
struct DataRun
{
    std::vector<std::string> Tokens;
};

// Horizontal and vertical scans: one to four runs (four columns or rows per line, the last line
// holds the rest). "ZN" scan: exactly one run holding the W tokens of one band of eight rows.
struct DataLine
{
    std::vector<DataRun> Runs;
};

// One packed glyph. Refused is set, with no lines, when a horizontal or vertical scan cannot cut
// its runs into groups of the requested length.
struct PackedGlyph
{
    bool Refused = false;
    std::vector<DataLine> Lines;
};

// Packs rows 0..Height-1 and columns 0..Width-1 of matrix (sizes clamped to 0..DotMatrix::Size)
// in the settings' scan, with their group length (groupDigits below), inversion, bit order
// (bitReverse) and output format.
//
// Tokens are spelled completely except for the assembler "H" suffix: prefix "0x" (SourceFormat::Typical,
// SourceFormat::CArray) or "0" (SourceFormat::AsmTable), then the digits.
// - Horizontal and vertical scans: every run has m = ceil(width / 4) (horizontal) or
//   ceil(height / 4) (vertical) upper-case digits, each covering four dots, first dot most
//   significant (least significant with bitReverse). Dots past the glyph's edge count as blank
//   (so they read 1 when inverted). The digits are cut into groups of groupDigits, restarting at
//   every run; the last group keeps the remainder. A token whose last two characters contain 'x'
//   (a lone digit after "0x") gets a "0" appended; with bitReverse the token's last two
//   characters then trade places. Refused when groupDigits < 1 or groupDigits > m.
// - "ZN" scan: bands of eight rows from the top; per band one token per column, two lower-case
//   digits from BitsToByte over the band's eight dots (top dot first). Rows at or below height
//   give 0 even when inverted. groupDigits plays no part and nothing is refused.
// - Any other scanMode is refused.
PackedGlyph PackGlyph(const DotMatrix &matrix, const GlyphSettings &settings);

// The bytes of a glyph packed in 8-bit groups (groupDigits 2): one byte a token, from its last
// two digits, in order; the bytes font.dat holds for the glyph.
std::string PackedGlyphBytes(const PackedGlyph &packed);

// Four dot characters, each '0' or '1', as one upper-case hexadecimal digit. Without bitReverse
// the first character is the most significant bit (value 8), with it the least (value 1):
// "1100" gives "C", reversed "3". Any other input gives "".
std::string NibbleToHex(std::string_view fourBits, bool bitReverse);

// Eight dots (index 0 the top one; any non-zero value counts as 1) as a byte 0..255. Without
// bitReverse index 0 is bit 7 (value 128), with it index 0 is bit 0.
int BitsToByte(const int bits[8], bool bitReverse);
