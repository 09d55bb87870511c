#pragma once
// A line of text set as an exported font sets it: each glyph drawn as the export draws it, its
// ink box placed by the offsets the file holds, the pen moved by the advances (and kerning) the
// file holds, so that spacing and shading can be seen before the file is written.

#include "codepointlist.h"
#include "raster/glyphsettings.h"

#include <QImage>
#include <QString>

#include <vector>

struct ExportPreview
{
    // The line, one byte per dot (Format_Grayscale8): 255 is paper, 0 full ink, the levels of the
    // bit depth spread evenly between. As high as the cell; as wide as the pen's way or the ink,
    // whichever reaches further. Null when nothing is drawn (no characters, a cell without dots).
    QImage Image;
    int Width = 0;    // pixels the pen moves over the whole line: the advances (and kerning) summed
    int PenLeft = 0;  // the image's column where the pen starts: more than 0 when ink reaches left
                      // of it
    int Baseline = 0; // the image's row of the baseline
};

// The widest line drawn; ink further right is cut off (Width still says how far the pen goes).
constexpr int MaxPreviewWidth = 16384;

// The characters of text in order, each with its code page 936 bytes (none for a character
// without a code; DrawExportGlyph draws it as it draws any other). Line breaks are left out.
std::vector<CodePointChar> PreviewCharacters(const QString &text);

// Sets characters (in text order, repeats allowed) as one line, as a display library sets them
// with the font the export writes from settings at bpp bits per pixel: each glyph drawn by
// DrawExportGlyph, its box placed at the pen plus OffsetX and OffsetY above the baseline, the pen
// moved by the glyph's advance (sixteenths rounded to whole pixels per glyph, as LVGL does). With
// kerning (pass CarriesKerning's answer for the request), the pen also moves by the font's kerning
// between each character and the next. Where glyphs overlap, the darker dot shows.
ExportPreview DrawExportPreview(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                int bpp, AdvanceMode advance, bool kerning);
