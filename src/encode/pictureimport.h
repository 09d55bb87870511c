#pragma once
// Pictures (BMP, JPEG, GIF and the other formats Qt reads) turned into the glyph bitmap file
// "tmp.bmp" and from there into dots, each pixel ink when it is nearer to black than to white.

#include "raster/dotmatrix.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>

#include <string>

struct PictureConversion
{
    enum Status {
        Converted, // tmp.bmp holds the picture at Width x Height
        TooBig,    // wider or taller than a glyph may be: nothing was drawn or written
        Failed,    // unreadable, not a picture, or tmp.bmp could not be written (Error says which)
    };
    Status State = Failed;
    int Width = 0;  // the picture's size in pixels
    int Height = 0;
    Failure Error;  // Failed: the picture was missing, unreadable or broken, or tmp.bmp was not written
};

// The picture's name as glyph name: its file name without folder and extension, in code page
// 936 (characters without a code are left out). "logo.jpeg" gives "logo".
std::string PictureNameOf(const QString &path);

// Decodes the picture at path and draws it pixel for pixel on white into tmp.bmp in the output
// directory: one dot a pixel, whatever resolution the file states. A picture whose file claims
// far more than 1024 pixels either way is not decoded at all; memory stays bounded whatever its
// header claims.
PictureConversion ConvertPictureToBitmap(const QString &path, OutputDirectory &output);

// Loads tmp.bmp into the matrix, a pixel ink when red + green + blue <= 382; sets Width and Height.
// False (and nothing changed) when it cannot be read.
bool LoadPictureBitmap(OutputDirectory &output, DotMatrix &matrix, GlyphSettings &settings, Failure *failure = nullptr);

// The import-picture command: converts the picture at path as above, loads it into the matrix
// (the settings' Width and Height become its size) and names the glyph after the file
// (settings.PictureName). A picture too big for a glyph changes nothing; the result still gives
// its size.
PictureConversion ImportPictureGlyph(const QString &path, GlyphSettings &settings, DotMatrix &matrix,
                                     OutputDirectory &output);
