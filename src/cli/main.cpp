// dotrix-cli: the desktop program's commands from the command line, writing the same bytes. main
// parses the arguments and hands them to the command they ask for.

#include "batchcommand.h"
#include "cliargs.h"
#include "clisupport.h"
#include "deliverycommand.h"
#include "exportcommand.h"
#include "glyphcommand.h"
#include "indextablecommand.h"
#include "listcommand.h"
#include "picturecommand.h"

#include "l10n/language.h"

#include <QGuiApplication>

#include <csignal>
#include <iostream>

namespace {

// Qt's own chatter (runtime directory notes, font substitutions) is not the user's business;
// only its critical messages reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "dotrix-cli: " << message.toStdString() << '\n';
}

// --batch and --index-table over the list (or TEXT), then the delivery of the font.dat made.
int RunListCommands(const CliOptions &options)
{
    if (!options.SavePath.isEmpty() && !CheckNotTheList(options, options.SavePath, std::cerr))
        return ExitFailure;
    std::string list;
    if (!ListForRun(options, std::cerr, list))
        return ExitFailure;
    const std::unique_ptr<OutputDirectory> output = OpenWorkDir(options, std::cerr);
    if (!output)
        return ExitFailure;
    std::ostream &out = SummaryStream(options);
    // The batch clears the files of earlier runs, Index.c among them: the index table is written
    // after it, so that a run asking for both keeps both.
    if (options.Batch) {
        WarnOfMissingFont(options.Settings, std::cerr);
        const int status = RunBatchCommand(options, list, *output, out, std::cerr);
        if (status != ExitOk)
            return status;
    }
    if (options.IndexTable) {
        const int status = RunIndexTableCommand(list, *output, out, std::cerr);
        if (status != ExitOk)
            return status;
    }
    if (!options.Delivers())
        return ExitOk;
    return RunDeliveryCommand(options, *output, out, std::cerr);
}

int Dispatch(const CliOptions &given)
{
    CliOptions options = given;
    if (options.Help) {
        std::cout << CliUsage();
        return ExitOk;
    }
    if (options.Version) {
        std::cout << "dotrix-cli " DOTRIX_VERSION "\n";
        return ExitOk;
    }
    if (!options.PicturePath.isEmpty())
        return RunPictureCommand(options, std::cout, std::cerr);
    // Every command that draws glyphs draws the patch's in place of the font's.
    const bool draws = options.Export || options.Batch || (!options.IndexTable && !options.Delivers()
                                                           && !(options.PrintList && options.Text.empty()));
    if (draws && !LoadPatch(options, std::cerr))
        return ExitFailure;
    if (options.Export)
        return RunExportCommand(options, SummaryStream(options), std::cerr);
    if (options.Batch || options.IndexTable)
        return RunListCommands(options);
    if (options.Delivers()) {
        OutputDirectory output(WorkDirOf(options));
        return RunDeliveryCommand(options, output, std::cout, std::cerr);
    }
    if (options.PrintList) {
        std::string error;
        if (!PrintCharacterList(options, WorkDirOf(options), std::cout, std::cerr, &error))
            return Fail(std::cerr, error);
        if (options.Text.empty())
            return ExitOk;
    }
    return RunGlyphCommand(options, std::cout, std::cerr);
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
    // The language of the messages: --lang (checked by the parser), else the locale's.
    const std::optional<QString> lang = LanguageArgument(QCoreApplication::arguments());
    const std::optional<Language> asked = lang ? ParseLanguage(*lang) : std::nullopt;
    SetLanguage(asked.value_or(LanguageOfLocale()), QtTexts::English);

    const CliParseResult parsed = ParseCliArgs(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.Ok)
        return Fail(std::cerr, parsed.Error, ExitUsage);
    return Dispatch(parsed.Options);
}
