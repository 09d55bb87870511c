#pragma once
// The font's kerning between the characters of a font export: how much closer (or further
// apart) the font sets two characters when one follows the other, as its OpenType tables say.

#include "codepointlist.h"
#include "raster/glyphsettings.h"

#include <vector>

struct KernPair
{
    char32_t Left = 0;
    char32_t Right = 0;
    int Value16 = 0; // sixteenths of a pixel added to Left's advance when Right follows it

    bool operator==(const KernPair &) const = default;
};

// Every pair of characters the font kerns at the settings' size, drawn at bpp bits per pixel,
// by left then right code point; none when the font has no kerning (most CJK fonts). Pairs of
// two characters of different scripts are left out, as text layout sets them as separate runs,
// and so are CJK characters, which fonts do not kern against their neighbours.
std::vector<KernPair> MeasureKerning(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                                     int bpp);
