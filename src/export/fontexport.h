#pragma once
// The font export command: the export list drawn with the settings and written in one font
// format, through a temporary file, so that a file that fails is never left half-written.

#include "codepointlist.h"
#include "encode/batchrun.h"
#include "exportrun.h"
#include "raster/glyphsettings.h"
#include "raster/inktally.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

struct ExportFormatInfo
{
    ExportFormat Format;
    const char *Title;    // the export dialog's choice, UTF-8 Chinese (shown through CoreMessage)
    const char *Suffix;   // the usual file name suffix, with its dot
    int FixedBpp;         // the one bit depth the format holds; 0: 1, 2, 4 or 8, as chosen
    bool TakesFontName;   // the font has a C name
    bool TakesArray;      // the font can be written as a C array as well (VlwArrayPaths)

    bool TakesBpp() const { return FixedBpp == 0; }
    // The bit depth when none is chosen.
    int DefaultBpp() const { return FixedBpp == 0 ? 1 : FixedBpp; }
};

// Every format, in the order the export dialog offers them.
const std::vector<ExportFormatInfo> &ExportFormats();
const ExportFormatInfo &FormatInfo(ExportFormat format);

struct FontExportRequest
{
    ExportFormat Format = ExportFormat::Lvgl;
    int Bpp = 1;
    QString FontName;     // empty: DefaultFontName
    QString OutPath;      // the file to write
    std::string MadeWith; // how the file was made, for its header (no machine paths): UTF-8
                          // lines, LF between them
    // The vertical offset is moved by the least that puts the ink of every glyph of the list
    // inside the cell (the font's baseline follows), and the header says so; false keeps the
    // settings' offset as it is.
    bool FitOffsetY = true;
    // How far each glyph moves the pen: the font's own advance, the cell, or half a cell for
    // single-byte characters.
    AdvanceMode Advance = AdvanceMode::Font;
    // With the font's own advances, an LVGL font carries the font's kerning pairs (the other
    // formats have no place for them); false leaves them out.
    bool Kerning = true;
    // LVGL: glyph bitmaps in LVGL's compressed format (LVGL decodes it at 2 and 4 bpp only).
    bool Compress = false;
    // A format that TakesArray: the file's bytes also as a C array of this name, in a .c and a .h
    // beside the file (VlwArrayPaths); empty: the file alone.
    QString ArrayName;
};

// Whether a request's font carries the font's kerning.
bool CarriesKerning(const FontExportRequest &request);

struct FontExportResult
{
    enum Status {
        Done,
        Cancelled,
        Failed,  // the file could not be written or cannot hold the font; nothing was written
        Refused, // a request no format takes (see CheckExportRequest), an empty list or a glyph size
                 // without dots
    };
    Status State = Done;
    int Glyphs = 0;   // glyphs written (when stopped: drawn before the stop)
    qint64 Bytes = 0; // the size of the file written
    QString FontName; // the font's name in the file
    QString Path;     // the file
    Failure Error;    // Failed, Refused: what and where
    QString Note;     // Done: what a user of the file must know (LVGL: that it needs the large format)
    QStringList ArrayPaths; // Done with ArrayName: the C array's .c and .h
    int KernPairs = 0; // pairs of characters the font kerns, written with the glyphs
    InkTally Ink;     // the written glyphs' ink against the cell: glyphs that lost ink
    int OffsetY = 0;  // the vertical offset the glyphs were drawn at
    bool Moved = false; // FitOffsetY moved the vertical offset
};

Q_DECLARE_METATYPE(FontExportResult)

// A C identifier: a letter or _, then letters, digits and _, and no C keyword.
bool IsCIdentifier(std::string_view name);

// dotrix_<family>_<pixel size>: the family in lower case, every run of other characters than
// ASCII letters and digits one _ ("font" when nothing is left).
QString DefaultFontName(const ExportFontMetrics &metrics);

// Why the request cannot be carried out (a bit depth the format does not take, compression the
// format or bit depth does not have, a font name or array name that is not a C identifier, a C
// array of a format without one or beside a file that would be overwritten by it, no file); none
// when it can.
Failure CheckExportRequest(const FontExportRequest &request);

// Draws characters (as MapToCodePoints gives them) with settings and writes request.OutPath. A
// file of that name is replaced only when the whole new one is written. Progress, cancel and the
// end of the run go through control as in a batch run.
FontExportResult ExportFont(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                            const FontExportRequest &request, JobControl &control);

// The dotrix-cli command that makes the same file, for the file's header: the export options
// (--compress after the bit depth),
// the advance when not the font's own, the font, size and offset from settings (with FitOffsetY: --offset X,Y --fit, left out at 0,0),
// --patch with the patch file's name alone when glyphs fixed by hand are drawn,
// --out with the file's name alone (no folder), then
// listArguments (the list options, or TEXT), each quoted for a POSIX shell where needed.
std::string ExportCommandLine(const GlyphSettings &settings, const FontExportRequest &request,
                              const std::vector<std::string> &listArguments);
