#pragma once
// The picture-data command: the imported picture's glyph written as its source file.

#include "glyphtext.h"
#include "output/outputdirectory.h"
#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"

#include <QString>

struct PictureDataResult
{
    GlyphTextResult State = GlyphTextResult::Failed;
    QString FilePath; // the .c file, when written
    Failure Error;    // why it was not: the group is too long, or where writing failed
};

// Writes the glyph in the matrix (at the settings' size, as the picture import left it) as
// PictureName.c, its header naming the picture and no character, rights notice first.
PictureDataResult CreatePictureData(const GlyphSettings &settings, const DotMatrix &matrix, OutputDirectory &output);
