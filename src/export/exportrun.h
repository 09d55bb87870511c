#pragma once
// Drawing the glyphs of a font export: the font's metrics, one glyph, and a whole export list
// drawn on every core and handed over in code-point order.

#include "codepointlist.h"
#include "encode/batchrun.h"
#include "exportglyph.h"
#include "raster/glyphrender.h"
#include "raster/glyphsettings.h"

#include <QString>

#include <functional>
#include <vector>

// Bits per pixel an export takes: 1, 2, 4 or 8.
bool IsExportBpp(int bpp);

// Coverage 0..255 as a level of a bpp-bit glyph, rounded to the nearest: 255 is the top level,
// 0 is 0.
int QuantiseCoverage(int coverage, int bpp);
// The least coverage that is ink at bpp bits per pixel: a level above 0.
int LeastInkCoverage(int bpp);

struct ExportFontMetrics
{
    QString Family;         // the family the glyphs are drawn with (宋体 resolved, substitutes named)
    int PixelSize = 0;      // the font's height in pixels (12 points: 16)
    int PointSize = 0;      // rounded to whole points
    int DeciPoints = 0;     // tenths of a point: 120 for 12, 105 for 10.5
    int CellWidth = 0;      // the batch's glyph size
    int CellHeight = 0;
    int Advance = 0;        // the cell width: every glyph's advance when they advance by the cell
    AdvanceMode AdvanceBy = AdvanceMode::Cell; // how far each glyph moves the pen
    int PenX = 0;           // the column of the cell where the pen stands: the settings' x offset
                            // with the font's own advances, else 0 (the cell's left edge)
    int LineHeight = 0;     // the cell height
    int Baseline = 0;       // rows from the cell's top down to the baseline: the font's ascent
                            // moved by the y offset
    int Descent = 0;        // rows from the baseline down to the cell's bottom: LineHeight - Baseline
    int UnderlinePosition = 0;  // pixels from the baseline down to the underline's top
    int UnderlineThickness = 1;
};

// The metrics of the font the settings draw with, for glyphs of bpp bits per pixel that advance
// as advance says.
ExportFontMetrics MeasureExportFont(const GlyphSettings &settings, int bpp, AdvanceMode advance);

// A character's advance in sixteenths of a pixel: the font's own (fontAdvance, as the font lays
// out the drawn text, GlyphDrawer::Advance's; rounded to the nearest sixteenth), the cell width,
// or with AdvanceMode::Half half of it (rounded down) for a single-byte character.
int ExportAdvance16(const CodePointChar &character, const ExportFontMetrics &metrics, qreal fontAdvance);

// Draws one character as the export does: at 1 bpp through the batch's drawing path and ink test,
// at 2, 4 and 8 bpp the same glyph anti-aliased (same font, size, cell and offset), placed on the
// pen and advanced as metrics (MeasureExportFont's) say.
// drawer, when given, is a drawer of the settings' font at bpp > 1's antialiasing, kept from glyph
// to glyph; without one the glyph is drawn with a drawer of its own.
ExportGlyph DrawExportGlyph(const CodePointChar &character, const GlyphSettings &settings, int bpp,
                            const ExportFontMetrics &metrics, GlyphDrawer *drawer = nullptr);

// Every character drawn once as the export draws it at the settings' offset, in list order, on
// every core, each kept with its ink and the font's advance. The placement can be chosen from
// their ink and every glyph then taken out of what was drawn (DrawExportGlyphs with kept). A list
// whose pictures would take more memory than a run should hold keeps only the ink and advances
// (its glyphs are drawn again). Empty when control is cancelled.
std::vector<KeptGlyph> DrawKeptGlyphs(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                      int bpp, JobControl &control);

struct ExportRunResult
{
    enum Status { Done, Cancelled, Failed };
    Status State = Done;
    int Glyphs = 0; // glyphs handed to the sink
    Failure Error;  // what failed and where
};

// Takes each glyph in turn, on the thread that called DrawExportGlyphs; false with failure set
// stops the run.
using ExportGlyphSink = std::function<bool(const ExportGlyph &glyph, Failure *failure)>;

// Draws every character (code-point order, as MapToCodePoints gives them) on every core and hands
// the glyphs to sink in that order. With kept (DrawKeptGlyphs' glyphs of the same characters,
// drawn dy pixels higher than settings place them), each glyph is taken out of its kept picture. control's done count is the glyphs handed over; cancelling it
// stops the run before the next glyph. Its end is left to the caller, who may have more
// to write after the last glyph.
ExportRunResult DrawExportGlyphs(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                 int bpp, AdvanceMode advance, JobControl &control, const ExportGlyphSink &sink,
                                 const std::vector<KeptGlyph> *kept = nullptr, int dy = 0);
