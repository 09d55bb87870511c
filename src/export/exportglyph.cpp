#include "exportglyph.h"

#include <algorithm>

int ExportGlyph::Level(int x, int y) const
{
    if (x < 0 || y < 0 || x >= CellWidth || y >= CellHeight)
        return 0;
    return Levels[size_t(y) * size_t(CellWidth) + size_t(x)];
}

void ExportGlyph::FindInkBox(int baseline, int penX)
{
    int left = CellWidth, right = -1, top = CellHeight, bottom = -1;
    for (int y = 0; y < CellHeight; ++y) {
        const uint8_t *levels = Levels.data() + size_t(y) * size_t(CellWidth);
        for (int x = 0; x < CellWidth; ++x) {
            if (levels[x] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return; // no ink: an empty box, offsets 0
    BoxLeft = left;
    BoxTop = top;
    BoxWidth = right - left + 1;
    BoxHeight = bottom - top + 1;
    OffsetX = left - penX;
    OffsetY = baseline - (bottom + 1);
}

std::vector<uint8_t> ExportGlyph::BoxLevels() const
{
    std::vector<uint8_t> box;
    box.reserve(size_t(BoxWidth) * size_t(BoxHeight));
    for (int y = BoxTop; y < BoxTop + BoxHeight; ++y) {
        const auto row = Levels.begin() + ptrdiff_t(y) * CellWidth;
        box.insert(box.end(), row + BoxLeft, row + BoxLeft + BoxWidth);
    }
    return box;
}

void ExportGlyph::CopyToMatrix(DotMatrix &matrix) const
{
    const int width = std::min(CellWidth, DotMatrix::Size);
    const int height = std::min(CellHeight, DotMatrix::Size);
    for (int y = 0; y < height; ++y) {
        int32_t *cells = matrix.Row(y);
        const uint8_t *levels = Levels.data() + size_t(y) * size_t(CellWidth);
        for (int x = 0; x < width; ++x)
            cells[x] = levels[x] != 0 ? CellInk : CellBlank;
    }
}
