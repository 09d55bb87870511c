#pragma once
// UbinFontWriter: the Unicode-keyed font file (.ubin), for firmware that looks glyphs up by code
// point: a header, the code points in ascending order with their glyphs' offsets, the glyph
// bytes packed as font.dat packs them, and a CRC-32. docs/font-format.md describes it.

#include "fontfilewriter.h"
#include "raster/dotmatrix.h"

#include <cstdint>
#include <memory>

class UbinFontWriter : public FontFileWriter
{
public:
    using FontFileWriter::FontFileWriter;

    // Refuses a font the file cannot hold (past 4 GiB) and a cell too small for 8-bit groups
    // in the chosen scan (as font.dat is).
    bool Begin(const FontFileInfo &info, Failure *failure) override;
    bool AddGlyph(const ExportGlyph &glyph, Failure *failure) override;
    bool Finish(Failure *failure) override;

    // Bytes of one glyph of width x height dots at bpp bits a dot in the scan: rows, columns or
    // bands of eight rows, each padded to whole bytes.
    static uint64_t GlyphSize(int width, int height, int bpp, ScanOrder scan);

private:
    // Appends the glyph's bytes to m_text: at 1 bpp exactly the bytes the batch writes into
    // font.dat for it (PackGlyph, 8-bit groups), above it the levels packed the same way.
    void AppendGlyphBytes(const ExportGlyph &glyph);

    GlyphSettings m_settings;
    int m_bpp = 1;
    bool m_advances = false; // the table holds each glyph's advance (version 2)
    uint32_t m_crc = 0;
    std::unique_ptr<DotMatrix> m_matrix; // for PackGlyph at 1 bpp
};
