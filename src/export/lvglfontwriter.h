#pragma once
// LvglFontWriter: LVGL's C font (lv_font_fmt_txt_dsc_t with glyph bitmaps, glyph descriptors and
// character maps, 1, 2, 4 or 8 bits per pixel, uncompressed or, at 2 and 4, in LVGL's compressed
// format) for LVGL 9, and LVGL 8 through the version guards LVGL's own font files use.

#include "fontfilewriter.h"

#include <cstdint>
#include <vector>

// One character map: a range of code points and where their glyphs are. Glyph ids follow the
// code points' order, so every map is one of LVGL's "tiny" kinds.
struct LvglCharMap
{
    char32_t RangeStart = 0;
    uint32_t RangeLength = 0;    // code points from RangeStart covered
    uint32_t GlyphIdStart = 0;   // the glyph id of RangeStart's (or the first listed) code point
    std::vector<uint16_t> Sparse; // empty: every code point of the range has a glyph; otherwise
                                  // those that have one, as distances from RangeStart
};

// Character maps for ascending code points whose glyph ids are 1, 2, 3, ... in that order: long
// runs of consecutive code points as ranges, the scattered rest as sparse lists, at most 511 maps
// (what a font holds), no range longer than 65,535.
std::vector<LvglCharMap> PlanLvglCharMaps(const std::vector<char32_t> &codePoints);

class LvglFontWriter : public FontFileWriter
{
public:
    using FontFileWriter::FontFileWriter;

    bool Begin(const FontFileInfo &info, Failure *failure) override;
    bool AddGlyph(const ExportGlyph &glyph, Failure *failure) override;
    bool Finish(Failure *failure) override;
    // That the font needs LVGL's large format, and why.
    QString Note() const override;

private:
    struct Descriptor
    {
        uint64_t BitmapIndex;
        int Advance16, BoxWidth, BoxHeight, OffsetX, OffsetY;
    };

    void WriteHeader();
    void WriteDescriptors();
    void WriteCharMaps();
    // The kerning pairs by glyph id and their values; the kern_scale they are written at (0: none).
    int WriteKerning();
    void WriteFontDescription();

    FontFileInfo m_info;
    std::string m_guard; // the font's name in capitals
    std::vector<Descriptor> m_descriptors;
    std::vector<char32_t> m_codePoints;
    uint64_t m_bitmapBytes = 0;
    size_t m_cmapCount = 0;
    int m_kernScale = 0; // kern_scale of the kerning pairs; 0 when the font has none
    QString m_largeReason; // why the glyphs need LV_FONT_FMT_TXT_LARGE; empty when they do not
};
