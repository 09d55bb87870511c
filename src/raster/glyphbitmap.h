#pragma once
// The glyph bitmap file: an uncompressed 24-bit BMP (54-byte header, rows bottom-up, each row
// padded to a multiple of four bytes) through which every character goes into the dot matrix.

#include "base/failure.h"
#include "dotmatrix.h"
#include "glyphsettings.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// How a stored pixel is judged clear (white) or ink when it is loaded.
enum class InkTest {
    AllBytes, // clear only when blue, green and red are all 0xFF (interactive rendering)
    BlueByte, // clear when the blue byte is 0xFF, whatever green and red (generation commands)
    Nearest,  // ink when nearer to black than to white: red + green + blue <= 382 (pictures)
};

struct PaletteColor
{
    int Red;
    int Green;
    int Blue;
};
inline constexpr PaletteColor BlackAndWhite[2] = {{0, 0, 0}, {255, 255, 255}};

// Index of the palette entry nearest to pixel (squared distance over red, green and blue); equal
// distances keep the earlier entry; 0 for an empty palette.
int NearestColorIndex(const PaletteColor *palette, int count, PaletteColor pixel);

// The ink test on one pixel's bytes: true when the pixel counts as clear.
inline bool IsClearPixel(InkTest test, uint8_t blue, uint8_t green, uint8_t red)
{
    switch (test) {
    case InkTest::BlueByte:
        return blue == 0xFF;
    case InkTest::Nearest:
        return NearestColorIndex(BlackAndWhite, 2, {red, green, blue}) == 1;
    case InkTest::AllBytes:
        break;
    }
    return blue == 0xFF && green == 0xFF && red == 0xFF;
}

// Bytes of the row stride: 3 x width rounded up to a multiple of four.
int BitmapStride(int width);

// The whole file for a width x height picture. image may be null (an empty glyph); otherwise it
// must be width x height, and its pixels are stored as blue, green, red.
QByteArray EncodeBitmapFile(const QImage &image, int width, int height);

// The size of a glyph read from its bitmap file, in dots.
struct GlyphSize
{
    int Width = 0;
    int Height = 0;
};

// Reads a glyph bitmap file into the matrix: size receives its width and height, the glyph area
// is set to CellCleared, then every cell to CellInk or CellBlank by the ink test (stored row k
// goes to matrix row Height-1-k). Returns false and changes nothing when the file cannot be
// opened or is not a well-formed 24-bit BMP of at most 1024 x 1024 pixels.
bool LoadMatrixFromBitmap(const QString &path, InkTest test, DotMatrix &matrix, GlyphSize &size,
                          Failure *failure = nullptr);

// The same from bytes already in memory.
bool LoadMatrixFromBitmapBytes(const QByteArray &bytes, InkTest test, DotMatrix &matrix, GlyphSize &size,
                               Failure *failure = nullptr);

// Takes a loaded glyph's size into the settings.
inline void AdoptSize(GlyphSettings &settings, GlyphSize size)
{
    settings.Width = size.Width;
    settings.Height = size.Height;
}
