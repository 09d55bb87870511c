#pragma once
// BdfFontWriter: a BDF 2.1 font (Glyph Bitmap Distribution Format) at 1 bit per pixel, the
// bitmap font format X11, FreeType, u8g2's bdfconv and font editors read. LF line ends.

#include "bdfreaderlimits.h"
#include "fontfilewriter.h"

#include <string>

class BdfFontWriter : public FontFileWriter
{
public:
    using FontFileWriter::FontFileWriter;

    bool Begin(const FontFileInfo &info, Failure *failure) override;
    bool AddGlyph(const ExportGlyph &glyph, Failure *failure) override;
    bool Finish(Failure *failure) override;
    // Which common readers (FreeType, u8g2's bdfconv) cannot take the font, and why.
    QString Note() const override { return m_limits.Note(); }

    // The XLFD name: -Dotrix-FAMILY-WEIGHT-SLANT-Normal-WxH-PIXELS-DECIPOINTS-DPI-DPI-C-AVERAGE-
    // ISO10646-1, with the cell as the added style and every space, hyphen and character XLFD
    // reserves (* ? , ") in the family replaced by _.
    static std::string XlfdName(const FontFileInfo &info);
    // A property's string value: in double quotes, a quote inside doubled, line breaks as spaces.
    static std::string Quoted(const std::string &text);

private:
    int m_dpi = 96;       // the resolution the pixel size was worked out at
    int m_deciPoints = 0; // the point size in tenths
    BdfReaderLimits m_limits;
};
