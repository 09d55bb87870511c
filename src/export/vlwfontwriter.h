#pragma once
// VlwFontWriter: the smooth font (.vlw) that TFT_eSPI, LovyanGFX and M5GFX load: a header, one
// record a glyph in ascending code point order (the readers binary-search them), then every
// glyph's 8-bit coverage; every number a big-endian 32-bit word. docs/font-format.md describes
// the file as Dotrix writes it, with the readers' limits and quirks it respects.

#include "fontfilewriter.h"

#include <QStringList>

#include <cstdint>
#include <string>

// The font's bytes also as a C array, for loadFont(const uint8_t *): its definition and its
// declaration, each written whole with the font.
struct VlwArray
{
    QString Name;
    AtomicFile *Source = nullptr; // the .c
    AtomicFile *Header = nullptr; // the .h
};

// Where the C array of the font at fontPath goes: the path with .c and .h for its suffix (a
// suffix-less path gets them added). Empty when the font file would be one of them, or for the
// standard output.
QStringList VlwArrayPaths(const QString &fontPath);

class VlwFontWriter : public FontFileWriter
{
public:
    // array, when given, must outlive the writer.
    VlwFontWriter(AtomicFile &file, const VlwArray *array) : FontFileWriter(file), m_array(array) {}

    // Refuses a font the readers would draw otherwise than Dotrix drew it: code points past
    // U+FFFF, more than 65,535 glyphs, a baseline outside the cell, a space narrower than the
    // readers can make it.
    bool Begin(const FontFileInfo &info, Failure *failure) override;
    // Refuses a glyph wider than 255 pixels, an advance past 255 or an x offset outside -128..127,
    // and a font past 4 GiB.
    bool AddGlyph(const ExportGlyph &glyph, Failure *failure) override;
    bool Finish(Failure *failure) override;

private:
    bool WriteArray(const std::string &bytes, Failure *failure);

    FontFileInfo m_info;
    const VlwArray *m_array;
    size_t m_carrier = SIZE_MAX; // the glyph whose box is the whole line, when the header cannot
                                 // give the line (see Begin)
    size_t m_next = 0;           // the index of the next glyph
    uint32_t m_ascent = 0, m_descent = 0, m_size = 0; // the header's
    std::string m_records;
    std::string m_bitmaps;
};
