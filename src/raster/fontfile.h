#pragma once
// The file a glyph font's face is read from, for builds that regenerate a font when its face
// changes.

#include "raster/glyphsettings.h"

#include <QString>

// The font file fontconfig gives for the family, weight and slant Qt draws the glyph font with;
// empty when fontconfig knows no file for it. Characters the face lacks may come from other
// faces (Qt's fallback); those files are not named.
QString FontFileOf(const GlyphFontDesc &font);
