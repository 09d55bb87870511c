#include "dotmatrix.h"

#include <algorithm>

namespace {
constexpr int CellCount = DotMatrix::Size * DotMatrix::Stride;
}

DotMatrix::DotMatrix() : m_cells(new int32_t[CellCount]())
{
}

DotMatrix::DotMatrix(const DotMatrix &other) : m_cells(new int32_t[CellCount])
{
    std::copy_n(other.m_cells.get(), CellCount, m_cells.get());
}

DotMatrix &DotMatrix::operator=(const DotMatrix &other)
{
    if (this != &other)
        std::copy_n(other.m_cells.get(), CellCount, m_cells.get());
    return *this;
}

void DotMatrix::FillArea(int width, int height, int32_t value)
{
    const int w = std::clamp(width, 0, Size);
    const int h = std::clamp(height, 0, Size);
    for (int r = 0; r < h; ++r)
        std::fill_n(Row(r), w, value);
}
