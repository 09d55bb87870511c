#pragma once
// Drawing one character into a glyph bitmap file.

#include "glyphsettings.h"
#include "output/outputdirectory.h"

#include <QImage>
#include <QString>

#include <string>

// Draws character (code page 936, normally one character, may be empty) in black on a white
// width x height picture with the glyph font, antialiasing off, the top-left corner of its
// character cell at (x, y), so its baseline lies at y + the font's ascent; what falls outside is
// cut off. A width or height of 0 or less gives an empty picture. antialiased draws the same
// glyph with grey edges (font exports of 2 to 8 bits per pixel); the dots of every other command
// are drawn without.
QImage DrawGlyphImage(const std::string &character, int x, int y, int width, int height,
                      const GlyphFontDesc &font, bool antialiased = false);

// Draws the character as above and saves it as baseName + ".bmp" in the output directory,
// recording the file as the program's own. On failure (the file cannot be created) returns false
// with error saying what and where; an earlier file of that name is left as it was.
bool RenderGlyph(const std::string &character, const QString &baseName, int x, int y, int width,
                 int height, const GlyphFontDesc &font, OutputDirectory &output,
                 QString *error = nullptr);
