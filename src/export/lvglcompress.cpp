#include "lvglcompress.h"

#include <cstddef>

// LVGL's run-length code, as its decoder reads it, with v a value of bpp bits:
// - a value stands for itself; the first value of a glyph always does;
// - a value equal to the one before it (two in a row) starts a repeat: each following 1 bit
//   stands for the same value once more, a 0 bit is followed by a value that stands for itself;
// - the eleventh bit of a repeat, when 1, stands for the value once more and is followed by a
//   6-bit count C (never 0 here): the value C - 1 times more, then a value that stands for itself.
// The code below writes exactly that, taking every repeat as far as it goes.

namespace {

constexpr int RepeatBitsBeforeCount = 11; // the repeat's bit that a count follows
constexpr int CountBits = 6;
constexpr size_t LongestCount = (1u << CountBits) - 1;

class BitWriter
{
public:
    // value's low bits, most significant first.
    void Put(unsigned value, int bits)
    {
        for (int bit = bits - 1; bit >= 0; --bit) {
            if (m_used == 8) {
                m_bytes.push_back(0);
                m_used = 0;
            }
            if ((value >> bit) & 1u)
                m_bytes.back() |= uint8_t(0x80u >> m_used);
            ++m_used;
        }
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
    int m_used = 8; // bits used of the last byte
};

} // namespace

bool LvglCompressesBpp(int bpp)
{
    return bpp >= 2 && bpp <= 4;
}

std::vector<uint8_t> CompressLvglGlyph(const std::vector<uint8_t> &levels, int width, int height, int bpp)
{
    const size_t count = size_t(width) * size_t(height);
    // Each row XORed with the row above: rows that repeat the one above turn into zeros.
    std::vector<uint8_t> values(count);
    for (size_t i = 0; i < count; ++i)
        values[i] = uint8_t(levels[i] ^ (i >= size_t(width) ? levels[i - size_t(width)] : 0));

    BitWriter out;
    bool repeating = false;
    int repeatBits = 0; // bits read since the repeat started
    uint8_t previous = 0;
    for (size_t i = 0; i < count;) {
        const uint8_t value = values[i];
        if (!repeating) {
            out.Put(value, bpp);
            repeating = i > 0 && value == previous;
            repeatBits = 0;
            previous = value;
            ++i;
            continue;
        }
        ++repeatBits;
        if (value != previous) {
            out.Put(0, 1);
            out.Put(value, bpp);
            repeating = false;
            previous = value;
            ++i;
            continue;
        }
        out.Put(1, 1);
        if (repeatBits < RepeatBitsBeforeCount) {
            ++i;
            continue;
        }
        // The count takes in this value and as many more of the run as it holds; the value after
        // them stands for itself (and may be the run's value again when the run is longer).
        size_t run = 1;
        while (run < LongestCount && i + run < count && values[i + run] == previous)
            ++run;
        out.Put(unsigned(run), CountBits);
        i += run;
        repeating = false;
        if (i < count) {
            previous = values[i];
            out.Put(previous, bpp);
            ++i;
        }
    }
    return out.Take();
}
