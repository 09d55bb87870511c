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
        GlyphSettings settings;
        settings.Width = -7; // not a size any file gives: shows whether a refusal changed it
        settings.Height = -7;
        const bool ok = LoadMatrixFromBitmapBytes(bytes, Tests[t], matrix, settings);
        if (t > 0)
            Require(ok == loaded, "the ink test does not decide whether a file loads");
        loaded = ok;
        if (!ok) {
            Require(settings.Width == -7 && settings.Height == -7, "a refused file changes no setting");
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
    // A pixel clear by the strictest test (white) is clear by the others too.
    if (loaded) {
        for (size_t i = 0; i < ink[0].size(); ++i)
            Require(ink[0][i] || (!ink[1][i] && !ink[2][i]), "a white pixel is clear under every test");
    }
    return 0;
}
