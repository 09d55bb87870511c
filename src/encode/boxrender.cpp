#include "boxrender.h"

#include "charset/cp936.h"
#include "raster/glyphbitmap.h"
#include "raster/glyphrender.h"
#include "raster/inktally.h"

namespace {

BoxRenderResult RenderAndLoad(const std::string &character, bool render, GlyphSettings &settings,
                              DotMatrix &matrix, OutputDirectory &output)
{
    BoxRenderResult result;
    result.Character = character;
    if (render && settings.FitOffsetY)
        FitOffsetY({character}, settings);
    if (render)
        result.RenderFailed = !RenderGlyph(character, InteractiveBaseName, settings.OffsetX, settings.OffsetY,
                                           settings.Width, settings.Height, settings.GlyphFont, output,
                                           &result.Error, &result.Ink, settings.Patch.get());
    // After a failed render this finds the previous tmp.bmp, if there is one.
    Failure loadError;
    GlyphSize size;
    result.Loaded = LoadMatrixFromBitmap(output.FilePath(InteractiveBaseName + QStringLiteral(".bmp")),
                                         InkTest::AllBytes, matrix, size, &loadError);
    if (result.Loaded)
        AdoptSize(settings, size);
    if (!result.Error && !result.Loaded)
        result.Error = loadError;
    return result;
}

} // namespace

std::string CleanBoxText(const std::string &boxText)
{
    std::string clean;
    clean.reserve(boxText.size());
    for (size_t pos = 0, len; (len = CharLengthAt(boxText, pos)) != 0; pos += len) {
        const unsigned char byte = static_cast<unsigned char>(boxText[pos]);
        if (len == 1 && (byte == '\n' || byte == '\r' || IsLeadByte(byte)))
            continue;
        clean.append(boxText, pos, len);
    }
    return clean;
}

BoxRenderResult RenderBoxText(const std::string &boxText, GlyphSettings &settings, DotMatrix &matrix,
                              OutputDirectory &output, const std::function<void(const std::string &)> &beforeRender)
{
    settings.CurrentText = CleanBoxText(boxText);
    std::string character = LastCharOfLine(boxText);
    // A lone lead byte at the end is not a character to draw.
    if (character.size() == 1 && IsLeadByte(static_cast<unsigned char>(character[0])))
        character.clear();
    if (!character.empty() && beforeRender)
        beforeRender(character);
    return RenderAndLoad(character, !character.empty(), settings, matrix, output);
}

BoxRenderResult ShiftAndRender(int dx, int dy, const std::string &boxText, GlyphSettings &settings,
                               DotMatrix &matrix, OutputDirectory &output)
{
    settings.OffsetX += dx;
    settings.OffsetY += dy;
    settings.CurrentText = boxText;
    return RenderAndLoad(LastCharOf(boxText), true, settings, matrix, output);
}
