// The glyph packer and text emitters with settings and dots taken from the input: the first nine
// bytes give width, height, scan, group, format and the flags (sizes and modes outside the valid
// ranges included); the rest fills the matrix, two bits a cell, repeated as needed.
#include "fuzzsupport.h"

#include "encode/glyphtext.h"
#include "encode/packglyph.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

int Side(uint8_t high, uint8_t low)
{
    const int raw = (high << 8) | low;
    // Mostly small glyphs, which run fast; now and then any size around the valid range.
    if (raw & 0x8000)
        return (raw & 0x7FFF) % 1044 - 10;
    return raw % 40;
}

// A dot as the packer must read it.
bool Dot(const DotMatrix &matrix, int width, int height, int row, int column, bool invert)
{
    if (row >= height || column >= width)
        return invert;
    return (matrix.At(row, column) == CellInk) != invert;
}

int HexValue(char c)
{
    const std::string_view upper = "0123456789ABCDEF";
    const std::string_view lower = "0123456789abcdef";
    size_t at = upper.find(c);
    if (at == std::string_view::npos)
        at = lower.find(c);
    return at == std::string_view::npos ? -1 : int(at);
}

// Undoes the token spelling of a horizontal or vertical scan group: the bit-reverse swap of the
// last two characters, the prefix, and the "0" after a lone digit behind "0x". Returns the
// group's digits.
std::string GroupDigitsOf(std::string token, std::string_view prefix, size_t count, bool bitReverse)
{
    if (bitReverse) {
        Require(token.size() >= 2, "a token has two characters to swap");
        std::swap(token[token.size() - 2], token[token.size() - 1]);
    }
    Require(token.compare(0, prefix.size(), prefix) == 0, "a token starts with its prefix");
    std::string digits = token.substr(prefix.size());
    if (prefix == "0x" && count == 1) {
        Require(digits.size() == 2 && digits[1] == '0', "a lone digit after 0x is followed by 0");
        digits.pop_back();
    }
    Require(digits.size() == count, "a group holds its digits");
    return digits;
}

void CheckRunScan(const PackedGlyph &packed, const DotMatrix &matrix, int width, int height, bool vertical,
                  int groupDigits, bool invert, bool bitReverse, std::string_view prefix)
{
    const int digitsPerRun = ((vertical ? height : width) + 3) / 4;
    const int runCount = vertical ? width : height;
    Require(packed.Lines.size() == size_t((runCount + 3) / 4), "four runs a line");
    int run = 0;
    for (const DataLine &line : packed.Lines) {
        Require(!line.Runs.empty() && line.Runs.size() <= 4, "a line holds one to four runs");
        for (const DataRun &dataRun : line.Runs) {
            std::string digits;
            for (size_t g = 0; g < dataRun.Tokens.size(); ++g) {
                const size_t count = size_t(std::min(groupDigits, digitsPerRun - int(g) * groupDigits));
                Require(int(g) * groupDigits < digitsPerRun, "no group past the end of a run");
                digits += GroupDigitsOf(dataRun.Tokens[g], prefix, count, bitReverse);
            }
            Require(digits.size() == size_t(digitsPerRun), "a run holds all its digits");
            for (int k = 0; k < digitsPerRun; ++k) {
                int expected = 0;
                for (int i = 0; i < 4; ++i) {
                    const int along = 4 * k + i;
                    const bool set = vertical ? Dot(matrix, width, height, along, run, invert)
                                              : Dot(matrix, width, height, run, along, invert);
                    if (set)
                        expected |= bitReverse ? 1 << i : 8 >> i;
                }
                Require(HexValue(digits[size_t(k)]) == expected, "every digit holds its four dots");
            }
            ++run;
        }
    }
    Require(run == runCount, "one run per column or row");
}

void CheckBandScan(const PackedGlyph &packed, const DotMatrix &matrix, int width, int height, bool invert,
                   bool bitReverse, std::string_view prefix)
{
    Require(packed.Lines.size() == size_t((height + 7) / 8), "one line per band of eight rows");
    for (size_t band = 0; band < packed.Lines.size(); ++band) {
        const DataLine &line = packed.Lines[band];
        Require(line.Runs.size() == 1 && line.Runs[0].Tokens.size() == size_t(width), "a band has a token per column");
        for (int x = 0; x < width; ++x) {
            const std::string &token = line.Runs[0].Tokens[size_t(x)];
            Require(token.size() == prefix.size() + 2 && token.compare(0, prefix.size(), prefix) == 0,
                    "a band token is its prefix and two digits");
            const int value = HexValue(token[prefix.size()]) * 16 + HexValue(token[prefix.size() + 1]);
            int expected = 0;
            for (int i = 0; i < 8; ++i) {
                const int row = int(band) * 8 + i;
                if (row < height && Dot(matrix, width, height, row, x, invert))
                    expected |= bitReverse ? 1 << i : 128 >> i;
            }
            Require(value == expected, "a band token holds its column's eight dots");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 9)
        return 0;
    static DotMatrix matrix;
    const int width = Side(data[0], data[1]);
    const int height = Side(data[2], data[3]);
    GlyphSettings settings;
    settings.ScanMode = data[4] % 4 - (data[4] == 0xFF ? 4 : 0); // 0..3, and -1 now and then
    const int groupDigits = int(data[5] % 12) - 2;                 // -2..9
    settings.Width = width;
    settings.Height = height;
    settings.GroupDigits = groupDigits;
    settings.OutputFormat = data[6] % 4;                           // 3 is no format
    settings.Invert = data[7] & 1;
    settings.BitReverse = data[7] & 2;
    const bool forFile = data[7] & 4;
    std::string name(data[8] % 8, 'a'); // names are pinyin or numbers: letters and digits only
    for (size_t i = 0; i < name.size(); ++i)
        name[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[(data[8] + 7 * i) % 36];

    // The cells of the glyph area (and a margin past it, which must not show) from the dot bytes.
    const uint8_t *dots = data + 9;
    const size_t dotCount = size - 9;
    constexpr int32_t CellValues[4] = {CellBlank, CellInk, CellCleared, 7};
    const int fillWidth = std::clamp(width + 3, 0, DotMatrix::Size);
    const int fillHeight = std::clamp(height + 3, 0, DotMatrix::Size);
    size_t bit = 0;
    for (int r = 0; r < fillHeight; ++r) {
        int32_t *row = matrix.Row(r);
        for (int c = 0; c < fillWidth; ++c, bit += 2) {
            if (dotCount == 0) {
                row[c] = CellBlank;
                continue;
            }
            const size_t at = (bit / 8) % dotCount;
            row[c] = CellValues[(dots[at] >> (bit % 8)) & 3];
        }
    }

    const PackedGlyph packed = PackGlyph(matrix, settings);
    const int w = std::clamp(width, 0, DotMatrix::Size);
    const int h = std::clamp(height, 0, DotMatrix::Size);
    const std::string_view prefix = settings.OutputFormat == SourceFormat::AsmTable ? "0" : "0x";
    if (settings.ScanMode == ScanOrder::ZN) {
        Require(!packed.Refused, "the ZN scan refuses nothing");
        CheckBandScan(packed, matrix, w, h, settings.Invert, settings.BitReverse, prefix);
    } else if (settings.ScanMode == ScanOrder::Horizontal || settings.ScanMode == ScanOrder::Vertical) {
        const bool vertical = settings.ScanMode == ScanOrder::Vertical;
        const int digitsPerRun = ((vertical ? h : w) + 3) / 4;
        const bool fits = groupDigits >= 1 && groupDigits <= digitsPerRun;
        Require(packed.Refused == !fits, "refused exactly when the group does not fit a run");
        if (fits)
            CheckRunScan(packed, matrix, w, h, vertical, groupDigits, settings.Invert, settings.BitReverse, prefix);
    } else {
        Require(packed.Refused, "an unknown scan is refused");
    }
    if (packed.Refused)
        Require(packed.Lines.empty(), "a refusal has no lines");

    const GlyphText text = ComposeGlyphText(name, "\xD6\xD0", settings, matrix, forFile);
    Require(text.Refused == packed.Refused, "the text is refused when the packing is");
    const std::string bytes = GlyphFileBytes(text, forFile);
    if (text.Refused) {
        Require(bytes.empty(), "a refused glyph has no file bytes");
    } else {
        Require(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0, "file bytes end in CR LF");
        for (size_t i = 0; i < bytes.size(); ++i)
            if (bytes[i] == '\n')
                Require(i > 0 && bytes[i - 1] == '\r', "every line ends in CR LF");
    }
    return 0;
}
