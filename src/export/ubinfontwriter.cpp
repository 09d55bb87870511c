#include "ubinfontwriter.h"

#include "encode/packglyph.h"

#include <algorithm>
#include <array>

namespace {

constexpr char Magic[4] = {'D', 'X', 'U', 'B'};
// Version 1: every glyph advances by the cell, entries of code point and offset. Version 2: the
// same header with the pen's column in the cell, entries with each glyph's own advance as well.
constexpr uint16_t CellVersion = 1;
constexpr uint16_t AdvanceVersion = 2;
constexpr uint32_t HeaderSize = 40;
constexpr uint32_t CellEntrySize = 8;
constexpr uint32_t AdvanceEntrySize = 10;
constexpr uint32_t ChecksumSize = 4;
constexpr int GroupBits = 8;
constexpr uint8_t FlagInvert = 0x01;
constexpr uint8_t FlagBitReverse = 0x02;

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320).
const std::array<uint32_t, 256> &CrcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

// Running CRC-32: start with 0, feed every byte, the result is the CRC of all of them.
uint32_t Crc32(uint32_t crc, const char *data, size_t size)
{
    const std::array<uint32_t, 256> &table = CrcTable();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ uint8_t(data[i])) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put16(std::string &out, uint32_t value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void Put32(std::string &out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Packs levels of bpp bits into bytes one run of pixels after another (a row, a column, or a
// column of a band), each run padded to whole bytes. The first pixel of a byte takes its top
// bits, or its bottom bits with bitReverse; a value itself keeps its bit order.
class LevelPacker
{
public:
    LevelPacker(std::string &out, int bpp, bool bitReverse) : m_out(out), m_bpp(bpp), m_bitReverse(bitReverse) {}

    void Put(unsigned value)
    {
        if (m_bit == 0)
            m_out += '\0';
        const int shift = m_bitReverse ? m_bit : 8 - m_bpp - m_bit;
        m_out.back() = char(uint8_t(m_out.back()) | (value << shift));
        m_bit = (m_bit + m_bpp) % 8;
    }
    // Fills the rest of the current byte with value and starts the next run on a new byte.
    void EndRun(unsigned value)
    {
        while (m_bit != 0)
            Put(value);
    }

private:
    std::string &m_out;
    const int m_bpp;
    const bool m_bitReverse;
    int m_bit = 0;
};

} // namespace

uint64_t UbinFontWriter::GlyphSize(int width, int height, int bpp, ScanOrder scan)
{
    const uint64_t w = uint64_t(std::max(width, 0)), h = uint64_t(std::max(height, 0)), b = uint64_t(bpp);
    switch (scan) {
    case ScanOrder::Horizontal:
        return (w * b + 7) / 8 * h;
    case ScanOrder::Vertical:
        return (h * b + 7) / 8 * w;
    default:
        return (h + 7) / 8 * w * b;
    }
}

bool UbinFontWriter::Begin(const FontFileInfo &info, Failure *failure)
{
    m_bpp = info.Bpp;
    const ExportFontMetrics &m = info.Metrics;
    // Packed as font.dat packs: the cell in 8-bit groups, typical layout, with the settings' scan,
    // inversion and bit order.
    m_settings = info.Settings;
    m_settings.Width = m.CellWidth;
    m_settings.Height = m.CellHeight;
    m_settings.GroupDigits = 2;
    m_settings.OutputFormat = SourceFormat::Typical;
    const ScanOrder scan = m_settings.ScanMode;
    if (m_bpp == 1)
        m_matrix = std::make_unique<DotMatrix>();
    if (m_bpp == 1 && PackGlyph(*m_matrix, m_settings).Refused)
        return Report(failure, {FailureCode::UbinCannotPack, {}, {},
                                {QString::number(m.CellWidth), QString::number(m.CellHeight), WordOfMode(scan)}});
    const uint64_t count = info.CodePoints.size();
    const uint64_t glyphSize = GlyphSize(m.CellWidth, m.CellHeight, m_bpp, scan);
    m_advances = m.AdvanceBy != AdvanceMode::Cell;
    const uint64_t entrySize = m_advances ? AdvanceEntrySize : CellEntrySize;
    const uint64_t dataOffset = HeaderSize + count * entrySize;
    const uint64_t fileSize = dataOffset + count * glyphSize + ChecksumSize;
    if (fileSize > 0xFFFFFFFFu)
        return Report(failure, {FailureCode::UbinTooLarge, {}, {},
                                {QString::number(count), QString::number(glyphSize), QString::number(fileSize)}});

    m_text.append(Magic, sizeof Magic);
    Put16(m_text, m_advances ? AdvanceVersion : CellVersion);
    Put16(m_text, HeaderSize);
    Put32(m_text, uint32_t(fileSize));
    Put32(m_text, uint32_t(count));
    Put32(m_text, HeaderSize);
    Put32(m_text, uint32_t(dataOffset));
    Put32(m_text, uint32_t(glyphSize));
    Put16(m_text, uint32_t(m.CellWidth));
    Put16(m_text, uint32_t(m.CellHeight));
    Put16(m_text, uint32_t(uint16_t(int16_t(std::clamp(m.Baseline, -32768, 32767)))));
    m_text += char(m_bpp);
    m_text += char(scan);
    m_text += char(GroupBits);
    m_text += char((m_settings.Invert ? FlagInvert : 0) | (m_settings.BitReverse ? FlagBitReverse : 0));
    Put16(m_text, m_advances ? uint32_t(uint16_t(int16_t(std::clamp(m.PenX, -32768, 32767)))) : 0);
    // The table: glyph i is the i-th glyph after it.
    for (uint64_t i = 0; i < count; ++i) {
        Put32(m_text, uint32_t(info.CodePoints[i]));
        Put32(m_text, uint32_t(dataOffset + i * glyphSize));
        if (m_advances)
            Put16(m_text, uint32_t(std::clamp(info.Advances[i], 0, 65535)));
    }
    m_crc = Crc32(0, m_text.data(), m_text.size());
    return Drain(failure);
}

void UbinFontWriter::AppendGlyphBytes(const ExportGlyph &glyph)
{
    const ScanOrder scan = m_settings.ScanMode;
    if (m_bpp == 1) {
        glyph.CopyToMatrix(*m_matrix);
        m_text += PackedGlyphBytes(PackGlyph(*m_matrix, m_settings));
        return;
    }
    const unsigned top = unsigned(glyph.MaxLevel());
    const bool invert = m_settings.Invert;
    auto stored = [&](int x, int y) { return invert ? top - unsigned(glyph.Level(x, y)) : unsigned(glyph.Level(x, y)); };
    const unsigned padding = invert ? top : 0;
    LevelPacker packer(m_text, m_bpp, m_settings.BitReverse);
    if (scan == ScanOrder::Horizontal) {
        for (int y = 0; y < glyph.CellHeight; ++y) {
            for (int x = 0; x < glyph.CellWidth; ++x)
                packer.Put(stored(x, y));
            packer.EndRun(padding);
        }
    } else if (scan == ScanOrder::Vertical) {
        for (int x = 0; x < glyph.CellWidth; ++x) {
            for (int y = 0; y < glyph.CellHeight; ++y)
                packer.Put(stored(x, y));
            packer.EndRun(padding);
        }
    } else {
        // Bands of eight rows; rows below the cell are 0 even when inverted, as in font.dat.
        for (int band = 0; band < glyph.CellHeight; band += 8)
            for (int x = 0; x < glyph.CellWidth; ++x)
                for (int y = band; y < band + 8; ++y)
                    packer.Put(y < glyph.CellHeight ? stored(x, y) : 0);
    }
}

bool UbinFontWriter::AddGlyph(const ExportGlyph &glyph, Failure *failure)
{
    const size_t start = m_text.size();
    AppendGlyphBytes(glyph);
    m_crc = Crc32(m_crc, m_text.data() + start, m_text.size() - start);
    return Drain(failure);
}

bool UbinFontWriter::Finish(Failure *failure)
{
    Put32(m_text, m_crc);
    return Drain(failure, true);
}
