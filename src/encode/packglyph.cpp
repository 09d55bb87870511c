#include "encode/packglyph.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

constexpr char UpperHexDigits[] = "0123456789ABCDEF";
constexpr char LowerHexDigits[] = "0123456789abcdef";
constexpr int DotsPerDigit = 4;
constexpr int RowsPerBand = 8;
constexpr int RunsPerLine = 4;

// Value of the dot at position index (0 = first) of a four-dot digit.
constexpr uint8_t DigitWeight(int index, bool bitReverse)
{
    return static_cast<uint8_t>(bitReverse ? 1 << index : 8 >> index);
}

// Value of the dot at position index (0 = top) of an eight-dot band column.
constexpr uint8_t BandWeight(int index, bool bitReverse)
{
    return static_cast<uint8_t>(bitReverse ? 1 << index : 128 >> index);
}

// A dot reads 1 when its cell is ink, or when it is blank and the glyph is inverted.
inline bool DotIsSet(int32_t cell, bool invert)
{
    return (cell == CellInk) != invert;
}

std::string_view PrefixOf(SourceFormat outputFormat)
{
    return outputFormat == SourceFormat::AsmTable ? std::string_view("0") : std::string_view("0x");
}

// One data group as a value token: prefix and digits; a lone digit after "0x" becomes the high
// digit of a byte; with bitReverse the last two characters trade places.
std::string GroupToken(std::string_view prefix, const char *digits, int count, bool bitReverse)
{
    std::string token;
    token.reserve(prefix.size() + static_cast<size_t>(count) + 1);
    token.append(prefix);
    token.append(digits, static_cast<size_t>(count));
    size_t n = token.size();
    if (n >= 2 && (token[n - 2] == 'x' || token[n - 1] == 'x')) {
        token.push_back('0');
        ++n;
    }
    if (bitReverse && n >= 2)
        std::swap(token[n - 2], token[n - 1]);
    return token;
}

// Turns digit values laid out run after run (digitsPerRun each) into lines of up to four runs
// of group tokens.
std::vector<DataLine> GroupRuns(const std::vector<uint8_t> &values, int runCount, int digitsPerRun,
                                int groupDigits, std::string_view prefix, bool bitReverse)
{
    std::vector<DataLine> lines;
    lines.reserve(static_cast<size_t>((runCount + RunsPerLine - 1) / RunsPerLine));
    const int groupsPerRun = (digitsPerRun + groupDigits - 1) / groupDigits;
    std::vector<char> digits(static_cast<size_t>(digitsPerRun));
    for (int first = 0; first < runCount; first += RunsPerLine) {
        const int runsInLine = std::min(RunsPerLine, runCount - first);
        DataLine &line = lines.emplace_back();
        line.Runs.resize(static_cast<size_t>(runsInLine));
        for (int i = 0; i < runsInLine; ++i) {
            const uint8_t *runValues = values.data() + static_cast<size_t>(first + i) * digitsPerRun;
            for (int k = 0; k < digitsPerRun; ++k)
                digits[static_cast<size_t>(k)] = UpperHexDigits[runValues[k]];
            std::vector<std::string> &tokens = line.Runs[static_cast<size_t>(i)].Tokens;
            tokens.reserve(static_cast<size_t>(groupsPerRun));
            for (int k = 0; k < digitsPerRun; k += groupDigits)
                tokens.push_back(GroupToken(prefix, digits.data() + k,
                                            std::min(groupDigits, digitsPerRun - k), bitReverse));
        }
    }
    return lines;
}

// Digit values of the vertical scan, column after column: digit k of column x covers rows
// 4k..4k+3, top row first. Rows at or below height are blank filler.
std::vector<uint8_t> VerticalDigits(const DotMatrix &matrix, int width, int height, int digitsPerRun,
                                    bool invert, bool bitReverse)
{
    std::vector<uint8_t> values(static_cast<size_t>(width) * digitsPerRun, 0);
    for (int r = 0; r < digitsPerRun * DotsPerDigit; ++r) {
        const int k = r / DotsPerDigit;
        const uint8_t weight = DigitWeight(r % DotsPerDigit, bitReverse);
        if (r < height) {
            const int32_t *row = matrix.Row(r);
            for (int x = 0; x < width; ++x)
                if (DotIsSet(row[x], invert))
                    values[static_cast<size_t>(x) * digitsPerRun + k] |= weight;
        } else if (invert) {
            for (int x = 0; x < width; ++x)
                values[static_cast<size_t>(x) * digitsPerRun + k] |= weight;
        }
    }
    return values;
}

// Digit values of the horizontal scan, row after row: digit k of row y covers columns 4k..4k+3,
// leftmost first. Columns at or beyond width are blank filler.
std::vector<uint8_t> HorizontalDigits(const DotMatrix &matrix, int width, int height, int digitsPerRun,
                                      bool invert, bool bitReverse)
{
    std::vector<uint8_t> values(static_cast<size_t>(height) * digitsPerRun, 0);
    for (int y = 0; y < height; ++y) {
        const int32_t *row = matrix.Row(y);
        uint8_t *rowValues = values.data() + static_cast<size_t>(y) * digitsPerRun;
        for (int c = 0; c < digitsPerRun * DotsPerDigit; ++c) {
            const bool set = c < width ? DotIsSet(row[c], invert) : invert;
            if (set)
                rowValues[c / DotsPerDigit] |= DigitWeight(c % DotsPerDigit, bitReverse);
        }
    }
    return values;
}

std::vector<DataLine> PackBands(const DotMatrix &matrix, int width, int height, bool invert,
                                bool bitReverse, std::string_view prefix)
{
    const int bandCount = (height + RowsPerBand - 1) / RowsPerBand;
    std::vector<DataLine> lines;
    lines.reserve(static_cast<size_t>(bandCount));
    std::vector<uint8_t> bytes(static_cast<size_t>(width));
    for (int band = 0; band < bandCount; ++band) {
        std::fill(bytes.begin(), bytes.end(), uint8_t{0});
        const int top = band * RowsPerBand;
        const int rowsInBand = std::min(RowsPerBand, height - top); // rows below height stay 0
        for (int i = 0; i < rowsInBand; ++i) {
            const int32_t *row = matrix.Row(top + i);
            const uint8_t weight = BandWeight(i, bitReverse);
            for (int x = 0; x < width; ++x)
                if (DotIsSet(row[x], invert))
                    bytes[static_cast<size_t>(x)] |= weight;
        }
        DataLine &line = lines.emplace_back();
        std::vector<std::string> &tokens = line.Runs.emplace_back().Tokens;
        tokens.reserve(static_cast<size_t>(width));
        for (const uint8_t value : bytes) {
            std::string token;
            token.reserve(prefix.size() + 2);
            token.append(prefix);
            token.push_back(LowerHexDigits[value >> 4]);
            token.push_back(LowerHexDigits[value & 0x0F]);
            tokens.push_back(std::move(token));
        }
    }
    return lines;
}

} // namespace

PackedGlyph PackGlyph(const DotMatrix &matrix, const GlyphSettings &settings)
{
    const int w = std::clamp(settings.Width, 0, DotMatrix::Size);
    const int h = std::clamp(settings.Height, 0, DotMatrix::Size);
    const ScanOrder scanMode = settings.ScanMode;
    const int groupDigits = settings.GroupDigits;
    const bool invert = settings.Invert;
    const bool bitReverse = settings.BitReverse;
    const std::string_view prefix = PrefixOf(settings.OutputFormat);

    PackedGlyph result;
    if (scanMode == ScanOrder::ZN) {
        result.Lines = PackBands(matrix, w, h, invert, bitReverse, prefix);
        return result;
    }
    if (scanMode != ScanOrder::Horizontal && scanMode != ScanOrder::Vertical) {
        result.Refused = true;
        return result;
    }

    const bool vertical = scanMode == ScanOrder::Vertical;
    const int digitsPerRun = ((vertical ? h : w) + DotsPerDigit - 1) / DotsPerDigit;
    if (groupDigits < 1 || groupDigits > digitsPerRun) {
        result.Refused = true;
        return result;
    }
    const int runCount = vertical ? w : h;
    const std::vector<uint8_t> values = vertical
        ? VerticalDigits(matrix, w, h, digitsPerRun, invert, bitReverse)
        : HorizontalDigits(matrix, w, h, digitsPerRun, invert, bitReverse);
    result.Lines = GroupRuns(values, runCount, digitsPerRun, groupDigits, prefix, bitReverse);
    return result;
}

std::string PackedGlyphBytes(const PackedGlyph &packed)
{
    auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string bytes;
    for (const DataLine &line : packed.Lines)
        for (const DataRun &run : line.Runs)
            for (const std::string &token : run.Tokens)
                if (token.size() >= 2)
                    bytes += char(digit(token[token.size() - 2]) * 16 + digit(token.back()));
    return bytes;
}

std::string NibbleToHex(std::string_view fourBits, bool bitReverse)
{
    if (fourBits.size() != DotsPerDigit)
        return {};
    int value = 0;
    for (int i = 0; i < DotsPerDigit; ++i) {
        const char c = fourBits[static_cast<size_t>(i)];
        if (c != '0' && c != '1')
            return {};
        if (c == '1')
            value |= DigitWeight(i, bitReverse);
    }
    return std::string(1, UpperHexDigits[value]);
}

int BitsToByte(const int bits[8], bool bitReverse)
{
    int value = 0;
    for (int i = 0; i < RowsPerBand; ++i)
        if (bits[i] != 0)
            value |= BandWeight(i, bitReverse);
    return value;
}
