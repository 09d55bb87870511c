#include "picturedata.h"

#include "charset/cp936.h"

PictureDataResult CreatePictureData(const GlyphSettings &settings, const DotMatrix &matrix, OutputDirectory &output)
{
    PictureDataResult result;
    GlyphFileSink sink(output, Cp936ToQString(settings.PictureName) + QStringLiteral(".c"));
    result.State = WriteGlyphText(sink, settings.PictureName, std::string(), settings, matrix, &result.Error);
    if (result.State == GlyphTextResult::Written)
        result.FilePath = sink.FilePath();
    else if (result.State == GlyphTextResult::Refused)
        result.Error = {FailureCode::GroupTooLong, {}, {}, {}};
    return result;
}
