#pragma once
// The window's words for failures the core and the serial library report in English.

#include "raster/glyphsettings.h"
#include "encode/pictureimport.h"

#include <QString>

// Why a send failed, from the serial library's error code.
QString SerialFailureReason(int code);

// Why a picture was not imported; outputDir is where tmp.bmp should have gone.
QString PictureFailureText(const QString &path, const PictureConversion &converted, const QString &outputDir);

// What a result line adds when the glyph font is not installed and the nearest installed one was
// drawn instead; empty when it is installed.
QString MissingFontNote(const GlyphFontDesc &font);
