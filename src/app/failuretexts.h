#pragma once
// The window's note on a font that is not installed (failures are worded by l10n/failuretext.h).

#include "raster/glyphsettings.h"

#include <QString>

// What a result line adds when the glyph font is not installed and the nearest installed one was
// drawn instead; empty when it is installed.
QString MissingFontNote(const GlyphFontDesc &font);
