#include "glyphfile.h"

#include "raster/glyphbitmap.h"

bool RenderGlyph(const std::string &character, const QString &baseName, int x, int y, int width,
                 int height, const GlyphFontDesc &font, OutputDirectory &output, Failure *failure, GlyphInk *ink,
                 const GlyphPatch *patch)
{
    const QImage image = DrawGlyphImage(character, x, y, width, height, font, false, ink, 1, patch);
    return output.WriteFile(baseName + QStringLiteral(".bmp"), EncodeBitmapFile(image, width, height), failure);
}
