// Any bytes as a glyph bitmap file, loaded with each of the three ink tests.
#include "fuzzsupport.h"

#include "raster/glyphbitmap.h"

#include <QByteArray>

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static DotMatrix matrix;
    // Not copied: the parser sees exactly the input's bytes, so reading past them is caught.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    constexpr InkTest Tests[] = {InkTest::AllBytes, InkTest::BlueByte, InkTest::Nearest};
    std::vector<std::vector<bool>> ink(3);
    bool loaded = false;
    int width = 0;
    int height = 0;
    for (int t = 0; t < 3; ++t) {
        GlyphSize settings{-7, -7}; // not a size any file gives: shows whether a refusal changed it
        const bool ok = LoadMatrixFromBitmapBytes(bytes, Tests[t], matrix, settings);
        if (t > 0)
            Require(ok == loaded, "the ink test does not decide whether a file loads");
        loaded = ok;
        if (!ok) {
            Require(settings.Width == -7 && settings.Height == -7, "a refused file gives no size");
            continue;
        }
        Require(settings.Width >= 0 && settings.Width <= DotMatrix::Size && settings.Height >= 0
                    && settings.Height <= DotMatrix::Size,
                "a loaded size fits the matrix");
        if (t > 0)
            Require(settings.Width == width && settings.Height == height, "every ink test reads one size");
        width = settings.Width;
        height = settings.Height;
        ink[t].reserve(size_t(width) * size_t(height));
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                const int32_t cell = matrix.At(r, c);
                Require(cell == CellInk || cell == CellBlank, "every loaded cell is ink or blank");
                ink[t].push_back(cell == CellInk);
            }
        }
    }
    if (!loaded)
        return 0;
    // Every cell against its pixel, read straight from the file: stored row k is glyph row
    // height-1-k, pixels blue, green, red, rows padded to four bytes.
    const auto u32 = [&](size_t at) {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16
               | uint32_t(data[at + 3]) << 24;
    };
    Require(size >= 54 && data[0] == 'B' && data[1] == 'M', "a loaded file has a BMP header");
    Require(u32(18) == uint32_t(width) && u32(22) == uint32_t(height), "the size is the header's");
    const size_t offset = u32(10);
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    Require(offset >= 54 && offset + stride * size_t(height) <= size, "the pixels lie inside the file");
    size_t i = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c, ++i) {
            const uint8_t *px = data + offset + size_t(height - 1 - r) * stride + 3 * size_t(c);
            const bool white = px[0] == 0xFF && px[1] == 0xFF && px[2] == 0xFF;
            const bool nearerBlack = px[0] + px[1] + px[2] <= 382;
            Require(ink[0][i] == !white, "all-bytes test: clear only when white");
            Require(ink[1][i] == (px[0] != 0xFF), "blue-byte test: clear when blue is 0xFF");
            Require(ink[2][i] == nearerBlack, "nearest test: ink when nearer to black");
        }
    }
    return 0;
}
