#pragma once
// The width FreeType gives a line of text in a scalable font: what the font-export tests set
// Dotrix's advances against (the export tests and the LVGL tests both use it).

#include <QString>

#include <string>

namespace consumers {

// The pixels FreeType moves the pen along text set in an installed font (found through
// fontconfig by family) at pixelSize, each glyph loaded as FreeType loads it by default (hinted,
// or from the font's own bitmaps), with no kerning; -1 with error set when the font is not found.
int FreeTypeAdvanceSum(const QString &family, int pixelSize, const std::u32string &text, std::string *error);

} // namespace consumers
