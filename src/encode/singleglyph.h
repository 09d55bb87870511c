#pragma once
// The single-glyph command's work: clear earlier output, render the character box's last
// character, load it, and write its source file.

#include "glyphtext.h"
#include "raster/dotmatrix.h"
#include "raster/glyphrender.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>
#include <QStringList>

#include <string>

// Deletes the bitmap and source files that earlier commands wrote to the output directory, and
// only those: a user's own .bmp or .c file there is never touched. Paths that could not be
// deleted are added to failures.
void DeleteGlyphFiles(OutputDirectory &output, QStringList *failures = nullptr);

struct SingleGlyphResult
{
    enum Status {
        Written,      // FilePath holds the source file
        EmptyText,    // nothing to do: the character box is empty
        RenderFailed, // the glyph bitmap could not be written (Error says where)
        LoadFailed,   // the glyph bitmap could not be read back
        Refused,      // the group is longer than a run: no file was written
        WriteFailed,  // the source file could not be written (Error says where)
    };
    Status State = EmptyText;
    std::string Name;   // array name, e.g. zhong0
    QString FilePath;   // the .c file, when written
    Failure Error;
    GlyphInk Ink;       // where the character's ink lies against the cell
};

// Runs the command on boxText (code page 936): stores it in settings.CurrentText, takes its last
// character, names it by pinyin (or number) made unique in the output directory, fits
// settings.OffsetY to it when settings.FitOffsetY asks, renders it into
// name.bmp, loads it into the matrix with the blue-byte test (so settings.Width and Height come
// from the bitmap) and writes name.c with the rights notice.
SingleGlyphResult CreateSingleGlyph(const std::string &boxText, GlyphSettings &settings, DotMatrix &matrix,
                                    OutputDirectory &output);
