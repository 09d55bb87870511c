#include "picturecommand.h"

#include "clisupport.h"
#include "encode/picturedata.h"
#include "l10n/language.h"
#include "encode/pictureimport.h"

int RunPictureCommand(const CliOptions &options, std::ostream &out, std::ostream &err)
{
    const std::unique_ptr<OutputDirectory> output = OpenWorkDir(options, err);
    if (!output)
        return ExitFailure;
    GlyphSettings settings = options.Settings;
    DotMatrix matrix;
    const PictureConversion imported = ImportPictureGlyph(options.PicturePath, settings, matrix, *output);
    if (imported.State == PictureConversion::TooBig)
        return Fail(err, DotrixCli::tr("%1 (%2 is %3x%4)")
                             .arg(CoreMessage(MatrixTooBigMessage), options.PicturePath)
                             .arg(imported.Width)
                             .arg(imported.Height));
    if (imported.State == PictureConversion::Failed)
        return Fail(err, imported.Error);
    if (options.Dots)
        PrintDots(out, matrix, settings.Width, settings.Height);
    const PictureDataResult written = CreatePictureData(settings, matrix, *output);
    if (written.State != GlyphTextResult::Written)
        return Fail(err, written.Error);
    out << written.FilePath.toStdString() << '\n';
    return ExitOk;
}
