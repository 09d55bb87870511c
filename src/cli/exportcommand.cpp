#include "exportcommand.h"

#include "l10n/failuretext.h"
#include "clisupport.h"
#include "depfile.h"
#include "export/fontexport.h"
#include "export/vlwfontwriter.h"
#include "listcommand.h"
#include "progressbar.h"
#include "raster/fontfile.h"

#include <QElapsedTimer>
#include <QFileInfo>

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
    } else if (!options.CollectPaths.isEmpty()) {
        // The sources' paths stay out of the file: the same sources give the same font anywhere.
        arguments = {"--collect", "SOURCES"};
        if (options.CollectIsCp936)
            arguments.insert(arguments.end(), {"--collect-encoding", "cp936"});
        if (options.CollectComments)
            arguments.emplace_back("--collect-comments");
        if (!options.Also.empty())
            arguments.insert(arguments.end(), {"--also", options.Also});
        if (!options.AlsoList.isEmpty())
            arguments.insert(arguments.end(), {"--also-list", QFileInfo(options.AlsoList).fileName().toStdString()});
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

// Names the font file and everything it is made from in options.Depfile. Written before the font,
// so that a build whose export fails still finds the font older than its sources.
bool WriteExportDepfile(const CliOptions &options, QStringList inputs, std::ostream &err)
{
    const QString face = FontFileOf(options.Settings.GlyphFont);
    if (!face.isEmpty())
        inputs += face;
    QString offending;
    const std::optional<std::string> text = DepfileText(options.OutPath, inputs, &offending);
    if (!text) {
        Fail(err, DotrixCli::tr("%1 has a line break in its name, which no dependency file can hold").arg(offending));
        return false;
    }
    if (const Failure failure = WriteDepfile(options.Depfile, *text)) {
        Fail(err, DotrixCli::tr("no dependency file written: %1").arg(FailureText(failure)));
        return false;
    }
    return true;
}

} // namespace

int RunExportCommand(const CliOptions &options, std::ostream &out, std::ostream &err)
{
    std::string list;
    if (!CheckNotTheList(options, options.OutPath, err))
        return ExitFailure;
    // The C array's files are written too: none of them may be the list either.
    const QStringList arrayPaths = options.ArrayName.isEmpty() ? QStringList() : VlwArrayPaths(options.OutPath);
    for (const QString &path : arrayPaths)
        if (!CheckNotTheList(options, path, err))
            return ExitFailure;
    QStringList inputs;
    if (!ListForRun(options, err, list, &inputs))
        return ExitFailure;
    if (!options.Depfile.isEmpty() && !WriteExportDepfile(options, inputs, err))
        return ExitFailure;
    WarnOfMissingFont(options.Settings, err);
    const CodePointList characters = MapToCodePoints(list);
    for (const std::string &character : characters.Unmapped)
        err << "dotrix-cli: "
            << DotrixCli::tr("character %1 has no Unicode code point; left out")
                   .arg(QString::fromStdString(UnmappedCharacterText(character)))
                   .toStdString()
            << '\n';

    FontExportRequest request = ExportRequestOf(options);
    request.MadeWith = ExportCommandLine(options.Settings, request, ListArguments(options));

    JobControl control;
    QElapsedTimer clock;
    clock.start();
    FontExportResult result;
    RunWithProgressBar(control, err,
                       [&] { result = ExportFont(characters.Characters, options.Settings, request, control); });
    const double seconds = double(clock.nsecsElapsed()) / 1e9;

    switch (result.State) {
    case FontExportResult::Refused:
        return Fail(err, result.Error);
    case FontExportResult::Cancelled:
        return Fail(err, DotrixCli::tr("the export was interrupted; no font written, %1 is as it was").arg(options.OutPath));
    case FontExportResult::Failed:
        return Fail(err, DotrixCli::tr("no font written: %1").arg(FailureText(result.Error)));
    case FontExportResult::Done:
        break;
    }
    GlyphSettings placed = options.Settings;
    placed.OffsetY = result.OffsetY;
    ReportInk(err, result.Ink, placed, result.Moved);
    if (!result.Note.isEmpty())
        err << "dotrix-cli: " << DotrixCli::tr("note: %1").arg(result.Note).toStdString() << '\n';
    const ExportFormatInfo &format = FormatInfo(request.Format);
    const QString glyphs = QString::number(result.Glyphs), name = QLatin1String(WordOfMode(format.Format)),
                  bpp = QString::number(request.Bpp), bytes = QString::number(result.Bytes);
    QString summary =
        format.TakesFontName
            ? DotrixCli::tr("%1 glyphs, %2 font %3 at %4 bpp, %5 %6 bytes")
                  .arg(glyphs, name, result.FontName, bpp, result.Path, bytes)
            : DotrixCli::tr("%1 glyphs, %2 font at %3 bpp, %4 %5 bytes").arg(glyphs, name, bpp, result.Path, bytes);
    if (result.KernPairs > 0)
        summary += DotrixCli::tr(", %1 kerning pairs").arg(result.KernPairs);
    if (!result.ArrayPaths.isEmpty())
        summary += DotrixCli::tr(", as C array %1 in %2").arg(request.ArrayName, result.ArrayPaths.join(QStringLiteral(", ")));
    out << (summary + DotrixCli::tr(", %1 s").arg(seconds, 0, 'f', 2)).toStdString() << '\n';
    return ExitOk;
}
