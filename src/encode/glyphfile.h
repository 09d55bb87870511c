#pragma once
// Drawing one character into its glyph bitmap file NAME.bmp in the output folder.

#include "raster/glyphrender.h"
#include "raster/glyphsettings.h"
#include "output/outputdirectory.h"

#include <QString>

#include <string>

// Draws the character as DrawGlyphImage does and saves it as baseName + ".bmp" in the output
// directory, recording the file as the program's own. On failure (the file cannot be created)
// returns false with failure saying what and where; an earlier file of that name is left as it
// was. ink, when given, says where the character's ink lies; patch, when given, fixes its dots.
bool RenderGlyph(const std::string &character, const QString &baseName, int x, int y, int width,
                 int height, const GlyphFontDesc &font, OutputDirectory &output,
                 Failure *failure = nullptr, GlyphInk *ink = nullptr, const GlyphPatch *patch = nullptr);
