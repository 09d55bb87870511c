#include "singleglyph.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "glyphtext.h"
#include "raster/glyphbitmap.h"
#include "glyphfile.h"
#include "raster/inktally.h"
#include "output/uniquename.h"

void DeleteGlyphFiles(OutputDirectory &output, QStringList *failures)
{
    output.DeleteWritten({QStringLiteral(".bmp"), QStringLiteral(".c")}, failures);
}

SingleGlyphResult CreateSingleGlyph(const std::string &boxText, GlyphSettings &settings, DotMatrix &matrix,
                                    OutputDirectory &output)
{
    SingleGlyphResult result;
    // A patch of another cell or font leaves the earlier files as they were.
    result.Error = CheckPatch(settings);
    if (result.Error) {
        result.State = SingleGlyphResult::RenderFailed;
        return result;
    }
    DeleteGlyphFiles(output);
    settings.CurrentText = boxText;
    if (boxText.empty())
        return result;

    const std::string character = LastCharOf(boxText);
    result.Name = MakeUniqueName(GetPinyin(character, settings.NumberedNames), 0, output.Path());
    const QString baseName = Cp936ToQString(result.Name);
    if (settings.FitOffsetY)
        FitOffsetY({character}, settings);
    if (!RenderGlyph(character, baseName, settings.OffsetX, settings.OffsetY, settings.Width, settings.Height,
                     settings.GlyphFont, output, &result.Error, &result.Ink, settings.Patch.get())) {
        result.State = SingleGlyphResult::RenderFailed;
        return result;
    }
    GlyphSize size;
    if (!LoadMatrixFromBitmap(output.FilePath(baseName + QStringLiteral(".bmp")), InkTest::BlueByte, matrix, size,
                              &result.Error)) {
        result.State = SingleGlyphResult::LoadFailed;
        return result;
    }
    AdoptSize(settings, size);
    GlyphFileSink sink(output, baseName + QStringLiteral(".c"));
    switch (WriteGlyphText(sink, result.Name, character, settings, matrix, &result.Error)) {
    case GlyphTextResult::Written:
        result.State = SingleGlyphResult::Written;
        result.FilePath = sink.FilePath();
        break;
    case GlyphTextResult::Refused:
        result.State = SingleGlyphResult::Refused;
        result.Error = {FailureCode::GroupTooLong, {}, {}, {}};
        break;
    case GlyphTextResult::Failed:
        result.State = SingleGlyphResult::WriteFailed;
        break;
    }
    return result;
}
