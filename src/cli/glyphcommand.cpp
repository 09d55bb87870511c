#include "glyphcommand.h"

#include "charset/cp936.h"
#include "clisupport.h"
#include "encode/glyphtext.h"
#include "encode/singleglyph.h"
#include "l10n/language.h"
#include "encode/boxrender.h"


namespace {

InkTally TallyOf(const std::string &character, const GlyphInk &ink, int width)
{
    InkTally tally;
    tally.Add(character, ink, width);
    return tally;
}

int PrintPreview(const std::string &text, GlyphSettings &settings, OutputDirectory &output, bool dots,
                 std::ostream &out, std::ostream &err)
{
    DotMatrix matrix;
    const int askedY = settings.OffsetY;
    const BoxRenderResult rendered = RenderBoxText(text, settings, matrix, output);
    if (rendered.RenderFailed || !rendered.Loaded)
        return Fail(err, rendered.Error);
    ReportInk(err, TallyOf(rendered.Character, rendered.Ink, settings.Width), settings, settings.OffsetY != askedY);
    if (dots)
        PrintDots(out, matrix, settings.Width, settings.Height);
    PreviewSink preview;
    if (WritePreviewText(preview, settings, matrix) == GlyphTextResult::Refused)
        return Fail(err, CoreMessage(GroupTooLongMessage));
    for (const std::string &line : preview.Lines())
        out << Cp936ToUtf8(line) << '\n';
    return ExitOk;
}

int WriteGlyph(const std::string &text, GlyphSettings &settings, OutputDirectory &output, bool dots,
               std::ostream &out, std::ostream &err)
{
    DotMatrix matrix;
    const int askedY = settings.OffsetY;
    const SingleGlyphResult result = CreateSingleGlyph(text, settings, matrix, output);
    switch (result.State) {
    case SingleGlyphResult::Written:
        ReportInk(err, TallyOf(LastCharOf(text), result.Ink, settings.Width), settings, settings.OffsetY != askedY);
        if (dots)
            PrintDots(out, matrix, settings.Width, settings.Height);
        out << result.FilePath.toStdString() << '\n';
        return ExitOk;
    case SingleGlyphResult::EmptyText:
        return Fail(err, DotrixCli::tr("TEXT holds no character to draw"), ExitUsage);
    case SingleGlyphResult::Refused:
        return Fail(err, CoreMessage(GroupTooLongMessage));
    case SingleGlyphResult::RenderFailed:
    case SingleGlyphResult::LoadFailed:
    case SingleGlyphResult::WriteFailed:
        break;
    }
    return Fail(err, result.Error);
}

} // namespace

int RunGlyphCommand(const CliOptions &options, std::ostream &out, std::ostream &err)
{
    // A line break that ends TEXT (a shell's here-string, a pasted line) is no character to draw.
    std::string_view typed = options.Text;
    while (!typed.empty() && (typed.back() == '\n' || typed.back() == '\r'))
        typed.remove_suffix(1);
    const std::string text = TextInCp936(typed, err);
    if (text.empty())
        return Fail(err, DotrixCli::tr("TEXT holds no character to draw"), ExitUsage);
    GlyphSettings settings = options.Settings;
    WarnOfMissingFont(settings, err);
    const std::unique_ptr<OutputDirectory> output = OpenWorkDir(options, err);
    if (!output)
        return ExitFailure;
    if (options.Preview)
        return PrintPreview(text, settings, *output, options.Dots, out, err);
    return WriteGlyph(text, settings, *output, options.Dots, out, err);
}
