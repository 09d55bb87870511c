// dotrix-cli: renders a character with the glyph core and prints or writes its glyph text, exactly
// as the desktop program does.

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "cliargs.h"
#include "batchcommand.h"
#include "exportcommand.h"
#include "listcommand.h"
#include "encode/glyphtext.h"
#include "encode/singleglyph.h"
#include "raster/boxrender.h"
#include "raster/dotmatrix.h"
#include "raster/outputdirectory.h"
#include "raster/pictureimport.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

int Fail(const std::string &message, int code = ExitFailure)
{
    std::cerr << "dotrix-cli: " << message << '\n';
    return code;
}

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

void PrintDots(const DotMatrix &matrix, const GlyphSettings &settings)
{
    std::string line;
    for (int r = 0; r < settings.Height; ++r) {
        line.assign(size_t(std::max(0, settings.Width)), '.');
        for (int c = 0; c < settings.Width; ++c)
            if (matrix.IsInk(r, c))
                line[size_t(c)] = '#';
        std::cout << line << '\n';
    }
}

// Qt's own chatter (runtime directory notes, font substitutions) is not the user's business;
// only its critical messages reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "dotrix-cli: " << message.toStdString() << '\n';
}

// The characters a command works through: the list the options describe, or TEXT (characters
// without a code in code page 936 named on stderr and left out).
bool ReadCommandList(const CliOptions &options, std::string &list, std::string *error)
{
    if (options.HasList()) {
        const QString programDir = options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
        CharList built;
        if (!BuildCharacterList(options, programDir, std::cerr, built, error))
            return false;
        list = built.Text;
        return true;
    }
    std::vector<std::string> skipped;
    list = Utf8ToCp936(options.Text, &skipped);
    for (const std::string &ch : skipped)
        std::cerr << "dotrix-cli: '" << ch << "' has no code in code page 936; skipped\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // A file-size limit makes a write fail (and the run stop with a message) instead of killing
    // the program half-way through its files.
    std::signal(SIGXFSZ, SIG_IGN);
    // Drawing needs a GUI application object, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("DOTRIX_QT_MESSAGES"))
        qInstallMessageHandler(QuietQtMessages);
    QGuiApplication app(argc, argv);

    const CliParseResult parsed = ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Ok)
        return Fail(parsed.Error, ExitUsage);
    CliOptions options = parsed.Options;
    if (options.Help) {
        std::cout << CliUsage();
        return ExitOk;
    }
    if (options.Version) {
        std::cout << "dotrix-cli " DOTRIX_VERSION "\n";
        return ExitOk;
    }

    if (!options.PicturePath.isEmpty()) {
        GlyphSettings &settings = options.Settings;
        settings.ProgramDir = options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
        OutputDirectory output(settings.ProgramDir);
        QString error;
        if (!output.CheckWritable(&error))
            return Fail(Utf8(error));
        const PictureConversion converted = ConvertPictureToBitmap(options.PicturePath, output);
        if (converted.State == PictureConversion::TooBig)
            return Fail(std::string(MatrixTooBigMessage) + " (" + Utf8(options.PicturePath) + " is "
                        + std::to_string(converted.Width) + "x" + std::to_string(converted.Height) + ")");
        if (converted.State == PictureConversion::Failed)
            return Fail(Utf8(converted.Error));
        DotMatrix matrix;
        if (!LoadPictureBitmap(output, matrix, settings, &error))
            return Fail(Utf8(error));
        settings.PictureName = PictureNameOf(options.PicturePath);
        if (options.Dots)
            PrintDots(matrix, settings);
        GlyphFileSink sink(output, Cp936ToQString(settings.PictureName) + QStringLiteral(".c"));
        switch (WriteGlyphText(sink, settings.PictureName, std::string(), settings.Width, settings.Height,
                               settings.GroupDigits, settings, matrix, &error)) {
        case GlyphTextResult::Refused:
            return Fail(GroupTooLongMessage);
        case GlyphTextResult::Failed:
            return Fail(Utf8(error));
        case GlyphTextResult::Written:
            std::cout << Utf8(sink.FilePath()) << '\n';
            return ExitOk;
        }
    }

    if (options.Export) {
        std::string list, error;
        if (!ReadCommandList(options, list, &error))
            return Fail(error);
        return RunExportCommand(options, list, std::cout, std::cerr);
    }

    if (options.Batch || options.IndexTable) {
        const QString programDir = options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
        std::string list, listError;
        if (!ReadCommandList(options, list, &listError))
            return Fail(listError);
        OutputDirectory output(programDir);
        QString error;
        if (!output.CheckWritable(&error))
            return Fail(Utf8(error));
        if (options.IndexTable) {
            const int status = RunIndexTableCommand(list, output, std::cout, std::cerr);
            if (status != ExitOk || !options.Batch)
                return status;
        }
        const int status = RunBatchCommand(options, list, output, std::cout, std::cerr);
        if (status != ExitOk || !options.Delivers())
            return status;
        return RunDeliveryCommand(options, output, std::cout, std::cerr);
    }

    if (options.Delivers()) {
        OutputDirectory output(options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir);
        return RunDeliveryCommand(options, output, std::cout, std::cerr);
    }

    if (options.PrintList) {
        const QString programDir = options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
        std::string error;
        if (!PrintCharacterList(options, programDir, std::cout, std::cerr, &error))
            return Fail(error);
        if (options.Text.empty())
            return ExitOk;
    }

    std::vector<std::string> skipped;
    const std::string text = Utf8ToCp936(options.Text, &skipped);
    for (const std::string &ch : skipped)
        std::cerr << "dotrix-cli: '" << ch << "' has no code in code page 936; skipped\n";
    if (text.empty())
        return Fail("TEXT holds no character to draw", ExitUsage);

    GlyphSettings &settings = options.Settings;
    const QString resolvedFace = settings.GlyphFont.ResolvedFace();
    if (!QFontDatabase::hasFamily(resolvedFace))
        std::cerr << "dotrix-cli: font '" << Utf8(resolvedFace)
                  << "' is not installed; the nearest installed font is used\n";

    settings.ProgramDir = options.WorkDir.isEmpty() ? QDir::currentPath() : options.WorkDir;
    OutputDirectory output(settings.ProgramDir);
    QString error;
    if (!output.CheckWritable(&error))
        return Fail(Utf8(error));

    DotMatrix matrix;
    if (options.Preview) {
        const BoxRenderResult rendered = RenderBoxText(text, settings, matrix, output);
        if (rendered.RenderFailed || !rendered.Loaded)
            return Fail(Utf8(rendered.Error));
        if (options.Dots)
            PrintDots(matrix, settings);
        const std::string character = LastCharOf(settings.CurrentText);
        std::string name = GetPinyin(character, settings.NumberedNames);
        if (name.empty())
            name = settings.PictureName;
        PreviewSink preview;
        if (WriteGlyphText(preview, name, character, settings.Width, settings.Height, settings.GroupDigits,
                           settings, matrix)
            == GlyphTextResult::Refused)
            return Fail(GroupTooLongMessage);
        for (const std::string &line : preview.Lines())
            std::cout << Cp936ToUtf8(line) << '\n';
        return ExitOk;
    }

    const SingleGlyphResult result = CreateSingleGlyph(text, settings, matrix, output);
    switch (result.State) {
    case SingleGlyphResult::Written:
        if (options.Dots)
            PrintDots(matrix, settings);
        std::cout << Utf8(result.FilePath) << '\n';
        return ExitOk;
    case SingleGlyphResult::EmptyText:
        return Fail("TEXT holds no character to draw", ExitUsage);
    case SingleGlyphResult::Refused:
        return Fail(GroupTooLongMessage);
    case SingleGlyphResult::RenderFailed:
    case SingleGlyphResult::LoadFailed:
    case SingleGlyphResult::WriteFailed:
        break;
    }
    return Fail(Utf8(result.Error));
}
