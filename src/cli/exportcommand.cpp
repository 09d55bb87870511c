#include "exportcommand.h"

#include "clisupport.h"
#include "export/fontexport.h"
#include "listcommand.h"
#include "progressbar.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <iomanip>

namespace {

// The list options as given (files by their name alone), or TEXT: how the header says the file
// was made.
std::vector<std::string> ListArguments(const CliOptions &options)
{
    std::vector<std::string> arguments;
    if (!options.ListFile.isEmpty()) {
        arguments = {"--list", QFileInfo(options.ListFile).fileName().toStdString()};
        if (options.ListIsCp936)
            arguments.insert(arguments.end(), {"--list-encoding", "cp936"});
    } else if (options.Charset) {
        arguments = {"--charset", *options.Charset == CharacterSet::GB2312 ? "gb2312" : "gbk"};
    } else {
        return {"--", options.Text};
    }
    const std::pair<bool, const char *> operations[] = {{options.ToTraditional, "--to-traditional"},
                                                        {options.ToSimplified, "--to-simplified"},
                                                        {options.Dedupe, "--dedupe"},
                                                        {options.Filter, "--filter"},
                                                        {options.Sort, "--sort"}};
    for (const auto &[given, option] : operations)
        if (given)
            arguments.emplace_back(option);
    return arguments;
}

} // namespace

int RunExportCommand(const CliOptions &options, std::ostream &out, std::ostream &err)
{
    std::string list;
    if (!ListForRun(options, err, list))
        return ExitFailure;
    const CodePointList characters = MapToCodePoints(list);
    for (const std::string &character : characters.Unmapped)
        err << "dotrix-cli: character " << UnmappedCharacterText(character) << " has no Unicode code point; left out\n";

    FontExportRequest request;
    request.Format = *options.Export;
    request.Bpp = options.Bpp;
    request.FontName = options.FontName;
    request.OutPath = options.OutPath;
    request.MadeWith = ExportCommandLine(options.Settings, request, ListArguments(options));

    BatchControl control;
    QElapsedTimer clock;
    clock.start();
    FontExportResult result;
    RunWithProgressBar(control, int(characters.Characters.size()), err,
                       [&] { result = ExportFont(characters.Characters, options.Settings, request, control); });
    const double seconds = double(clock.nsecsElapsed()) / 1e9;

    switch (result.State) {
    case FontExportResult::Refused:
        return Fail(err, result.Error);
    case FontExportResult::Failed:
    case FontExportResult::Cancelled:
        return Fail(err, QStringLiteral("no font written: ") + result.Error);
    case FontExportResult::Done:
        break;
    }
    if (!result.Note.isEmpty())
        err << "dotrix-cli: note: " << result.Note.toStdString() << '\n';
    const ExportFormatInfo &format = FormatInfo(request.Format);
    out << result.Glyphs << " glyphs, " << format.Name << " font "
        << (format.TakesFontName ? result.FontName.toStdString() + " " : std::string()) << "at " << request.Bpp
        << " bpp, " << result.Path.toStdString() << ' ' << result.Bytes << " bytes, "
        << std::fixed << std::setprecision(2) << seconds << " s\n";
    return ExitOk;
}
