#pragma once
// DotMatrix: the 1024 x 1024 grid of cells that holds one glyph in its top-left corner.

#include <cstdint>
#include <memory>

// Cell values. Ink is exactly CellInk; every other value reads as a clear dot.
constexpr int32_t CellInk = 1;
constexpr int32_t CellBlank = 0;
constexpr int32_t CellCleared = -2;

class DotMatrix
{
public:
    static constexpr int Size = 1024;   // rows and columns
    static constexpr int Stride = 1024; // cells from one row to the next, whatever the glyph width

    DotMatrix(); // all cells CellBlank
    DotMatrix(const DotMatrix &other);
    DotMatrix &operator=(const DotMatrix &other);

    // Row 0 is the top of the glyph, column 0 its left edge. Callers stay inside 0..Size-1.
    int32_t At(int row, int column) const { return m_cells[row * Stride + column]; }
    void Set(int row, int column, int32_t value) { m_cells[row * Stride + column] = value; }
    bool IsInk(int row, int column) const { return At(row, column) == CellInk; }

    // Writes value into rows 0..height-1, columns 0..width-1 (clamped to the matrix).
    void FillArea(int width, int height, int32_t value);

    int32_t *Row(int row) { return m_cells.get() + row * Stride; }
    const int32_t *Row(int row) const { return m_cells.get() + row * Stride; }

private:
    std::unique_ptr<int32_t[]> m_cells;
};
