#pragma once
// A batch run: every character of the list into its own bitmap and source file, all of them into
// All.c, and for the data-file commands into font.dat (optionally with a 16-bit index before
// each glyph).

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "raster/inktally.h"
#include "base/job.h"
#include "output/outputdirectory.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>

inline const QString AllFileName = QStringLiteral("All.c");
inline const QString DataFileName = QStringLiteral("font.dat");

struct BatchHooks
{
    // Asked once, after the last glyph, when a data file is made: true with the first index
    // value for an index before every glyph, false for none. Unset: no index.
    std::function<bool(uint16_t &start)> AskIndex;
};

struct BatchResult
{
    enum Status { Done, Cancelled, Failed };
    Status State = Done;
    int Glyphs = 0;           // characters finished
    int FilesWritten = 0;     // bitmap and source files of the glyphs, All.c and font.dat
    qint64 AllBytes = 0;      // size of All.c
    qint64 DataBytes = -1;    // size of font.dat; -1 when none was made
    bool Indexed = false;     // font.dat has an index before every glyph
    Failure Error;            // what failed and where
    QString FailedFile;       // a failure outside any one glyph: the file being made (All.c, font.dat)
    QString AllPath;          // All.c
    QString DataPath;         // font.dat, when made
    InkTally Ink;             // the written glyphs' ink against the cell (ink cut off by the cell)
    int OffsetY = 0;          // the vertical offset the glyphs were drawn at (fitted, with FitOffsetY)
    bool InkFits = true;      // with FitOffsetY: an offset was found that holds every glyph's ink
};

// Deletes the earlier glyph files, then writes every character of list (code page 936; every
// character, spaces and line breaks included) in list order. settings is the run's own copy:
// DataFile::Dat and ::Bin force it to 8-bit groups in the typical layout; settings.FitOffsetY first moves its
// OffsetY by the least that holds the whole list's ink in the cell. At the end matrix, Width and
// Height hold the last glyph, as if the run had filled them one glyph after another. The glyph
// files are made on every core; names, All.c and font.dat come out exactly as one glyph after
// another would make them.
BatchResult BatchGenerate(const std::string &list, GlyphSettings &settings, DotMatrix &matrix,
                          OutputDirectory &output, DataFile data, JobControl &control, const BatchHooks &hooks = {});
Q_DECLARE_METATYPE(BatchResult)
