#pragma once
// InkNotes: what the window says when glyphs lost ink outside their cell, or when an offset was
// chosen from their ink.

#include "raster/glyphrender.h"
#include "raster/inktally.h"

#include <QString>

#include <string>

class QStatusBar;

class InkNotes
{
public:
    // The note on glyphs drawn with settings (its offset the one they were drawn at); moved: the
    // vertical offset was chosen from their ink. Empty when no glyph lost ink and nothing moved.
    static QString Text(const InkTally &ink, const GlyphSettings &settings, bool moved);
    // After character (code page 936) was drawn with settings: the note in the status bar.
    static void ShowAfterRender(QStatusBar *bar, const std::string &character, const GlyphInk &ink,
                                const GlyphSettings &settings);
};
