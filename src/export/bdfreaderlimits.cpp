#include "bdfreaderlimits.h"

#include "fontfilewriter.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Bits bdfconv writes for the (clear, ink) run pairs with the given field widths: a pair longer
// than a field is split; a pair equal to the one before costs one bit, any other one bit (none
// for the first) and both fields.
long RunBits(const std::vector<std::pair<int, int>> &pairs, int zeroBits, int oneBits)
{
    const int zeroMax = (1 << zeroBits) - 1, oneMax = (1 << oneBits) - 1;
    long bits = 0;
    bool first = true;
    int lastZero = 0, lastOne = 1;
    auto put = [&](int a, int b) {
        if (!first && a == lastZero && b == lastOne) {
            ++bits;
            return;
        }
        bits += (first ? 0 : 1) + zeroBits + oneBits;
        first = false;
        lastZero = a;
        lastOne = b;
    };
    for (auto [a, b] : pairs) {
        for (; a > zeroMax; a -= zeroMax)
            put(zeroMax, 0);
        for (; b > oneMax; b -= oneMax, a = 0)
            put(a, oneMax);
        if (a != 0 || b != 0)
            put(a, b);
    }
    return bits + 1; // the closing zero bit
}

// Bits of the smallest field that holds value: unsigned, or signed (stored with an offset).
int FieldBits(int value, bool isSigned)
{
    int bits = isSigned ? 1 : 0;
    for (int magnitude = isSigned && value < 0 ? -value - 1 : value; magnitude > 0; magnitude >>= 1)
        ++bits;
    return std::max(bits, 1);
}

} // namespace

int BdfReaderLimits::LeastU8g2Bytes(const ExportGlyph &glyph, int *inkRuns)
{
    // The box's dots from the top row, left to right, as (clear, ink) run lengths.
    std::vector<std::pair<int, int>> pairs;
    int run = 0;
    bool ink = false;
    int zeros = 0;
    for (int y = glyph.BoxTop; y < glyph.BoxTop + glyph.BoxHeight; ++y)
        for (int x = glyph.BoxLeft; x < glyph.BoxLeft + glyph.BoxWidth; ++x) {
            const bool dot = glyph.Level(x, y) != 0;
            if (dot != ink) {
                if (ink)
                    pairs.emplace_back(zeros, run);
                else
                    zeros = run;
                ink = dot;
                run = 0;
            }
            ++run;
        }
    pairs.emplace_back(ink ? zeros : run, ink ? run : 0);
    if (inkRuns)
        *inkRuns = int(std::count_if(pairs.begin(), pairs.end(), [](const auto &p) { return p.second > 0; }));
    long least = LONG_MAX;
    for (int zeroBits = 2; zeroBits < 9; ++zeroBits)
        for (int oneBits = 2; oneBits < 7; ++oneBits)
            least = std::min(least, RunBits(pairs, zeroBits, oneBits));
    // The box's fields are at least as wide as this glyph's own values need.
    least += FieldBits(glyph.BoxWidth, false) + FieldBits(glyph.BoxHeight, false) + FieldBits(glyph.OffsetX, true)
             + FieldBits(glyph.OffsetY, true);
    const int encodingBytes = glyph.CodePoint > 0xFF ? 2 : 1;
    return int(std::min<long>(INT_MAX, encodingBytes + 1 + (least + 7) / 8));
}

void BdfReaderLimits::Check(const ExportGlyph &glyph)
{
    if (glyph.Empty())
        return;
    const long bitmapBytes = long(glyph.BoxWidth + 7) / 8 * glyph.BoxHeight;
    if (m_freeType.isEmpty() && bitmapBytes > 0xFFFF)
        m_freeType = QStringLiteral("FreeType refuses the font: the bitmap of %1 (%2 x %3 dots) takes %4 bytes, more "
                                    "than the 65535 it reads of a glyph")
                         .arg(CodePointName(glyph.CodePoint))
                         .arg(glyph.BoxWidth)
                         .arg(glyph.BoxHeight)
                         .arg(bitmapBytes);
    if (!m_u8g2.isEmpty())
        return;
    int inkRuns = 0;
    const int bytes = LeastU8g2Bytes(glyph, &inkRuns);
    if (inkRuns > 1023)
        m_u8g2 = QStringLiteral("u8g2's bdfconv cannot convert it: %1 has %2 runs of ink, more than the 1023 it holds")
                     .arg(CodePointName(glyph.CodePoint))
                     .arg(inkRuns);
    else if (bytes >= 255)
        m_u8g2 = QStringLiteral("u8g2's bdfconv refuses it: %1 takes at least %2 bytes in its font, more than the 254 "
                                "it holds of a glyph")
                     .arg(CodePointName(glyph.CodePoint))
                     .arg(bytes);
}

QString BdfReaderLimits::Note() const
{
    if (m_freeType.isEmpty())
        return m_u8g2;
    return m_u8g2.isEmpty() ? m_freeType : m_freeType + QStringLiteral("; ") + m_u8g2;
}
