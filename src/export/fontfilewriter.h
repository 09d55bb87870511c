#pragma once
// FontFileWriter: one font format's file, written glyph by glyph in code-point order through a
// temporary file. The export command drives it; each format is one class.

#include "exportglyph.h"
#include "exportrun.h"
#include "kerning.h"
#include "output/atomicfile.h"
#include "raster/glyphsettings.h"

#include <QString>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What a format's file says about the font as a whole.
struct FontFileInfo
{
    ExportFontMetrics Metrics;
    GlyphSettings Settings; // the settings drawn with; packed formats take scan, grouping,
                            // inversion and bit order from them
    int Bpp = 1;
    bool Compress = false;  // LVGL: glyph bitmaps in LVGL's compressed format (2 and 4 bpp)
    QString FontName;       // the name the font is known by (LVGL: its C name)
    size_t GlyphCount = 0;  // glyphs that follow
    std::vector<char32_t> CodePoints; // theirs, ascending: for formats that index the font or
                                      // name a default glyph before the glyphs
    std::vector<int> Advances;  // theirs in whole pixels, in the same order: for formats that
                                // index the font before the glyphs
    int AverageAdvance10 = 0;   // the glyphs' mean advance in tenths of a pixel, rounded
    std::vector<KernPair> Kerning; // the font's kerning between them, when the file carries it
    std::string MadeWith;   // how the file was made, for its header: UTF-8 lines, LF between them
    std::string Placement;  // how the glyphs were placed in the cell, when chosen from their ink:
                            // one line for the header; empty otherwise
    // BDF: properties after the font's own, each value as written (a string quoted with
    // BdfFontWriter::Quoted, a number in digits).
    std::vector<std::pair<std::string, std::string>> BdfProperties;
};

// "U+4E2D": a code point as the fonts' comments and the export's messages name it.
QString CodePointName(char32_t codePoint);
// "0x00," to "0xff,": a byte of a C array as the C fonts write it.
const char *CHexByte(uint8_t byte);
// Comment text with no "*/" that would end the comment early, no "/*" that would open another
// (an error under -Werror) and no trigraph "??/" that could join the next line to it.
std::string CommentSafe(std::string text);

class FontFileWriter
{
public:
    explicit FontFileWriter(AtomicFile &file) : m_file(file) {}
    virtual ~FontFileWriter() = default;
    FontFileWriter(const FontFileWriter &) = delete;
    FontFileWriter &operator=(const FontFileWriter &) = delete;

    // Before the first glyph. False, with failure saying why, when the format cannot hold the font.
    virtual bool Begin(const FontFileInfo &info, Failure *failure) = 0;
    virtual bool AddGlyph(const ExportGlyph &glyph, Failure *failure) = 0;
    // After the last glyph: the rest of the file, every byte handed to the file.
    virtual bool Finish(Failure *failure) = 0;
    // After Finish: what a user of the file must know to use it; empty when nothing.
    virtual QString Note() const { return {}; }

protected:
    // Text written but not yet handed to the file.
    std::string m_text;
    // Hands m_text to the file once it has grown past a block, or now when all is set; false,
    // with failure saying what and where, when the file cannot be written.
    bool Drain(Failure *failure, bool all = false);

private:
    AtomicFile &m_file;
};
