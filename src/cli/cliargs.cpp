#include "cliargs.h"

#include "clioptiontable.h"

#include "l10n/failuretext.h"

namespace {

// The export options that make no sense together or alone; "" when they fit.
std::string CheckExportOptions(const CliOptions &o)
{
    if (!o.Export) {
        if (!o.OutPath.isEmpty() || o.BppGiven || !o.FontName.isEmpty() || o.Advance || o.NoKerning || o.Compress
            || !o.ArrayName.isEmpty() || !o.Depfile.isEmpty())
            return DotrixCli::tr("--out, --bpp, --advance, --no-kerning, --compress, --font-name, --vlw-array and "
                                 "--depfile go with --export FORMAT")
                .toStdString();
        return {};
    }
    if (o.OutPath.isEmpty())
        return DotrixCli::tr("--export writes a font file: add --out FILE").toStdString();
    if (o.Batch || o.IndexTable || o.Preview || o.PrintList || o.Dots || !o.PicturePath.isEmpty() || o.Delivers())
        return DotrixCli::tr("--export writes one font file; it goes with the list or TEXT, not with --batch, "
                             "--index-table, --preview, --print-list, --dots, --picture or delivery")
            .toStdString();
    const Failure refusal = CheckExportRequest(ExportRequestOf(o));
    return !refusal ? std::string() : "--export " + std::string(WordOfMode(*o.Export)) + ": " + FailureText(refusal).toStdString();
}

// The list options that make no sense together or alone; "" when they fit.
std::string CheckListOptions(const CliOptions &o)
{
    if (!o.ListFile.isEmpty() && o.Charset)
        return DotrixCli::tr("--list and --charset both give the character list; choose one").toStdString();
    if (!o.CollectPaths.isEmpty() && (!o.ListFile.isEmpty() || o.Charset))
        return DotrixCli::tr("--collect gathers the character list from sources; it does not go with --list or --charset")
            .toStdString();
    const std::pair<bool, const char *> needCollect[] = {{o.CollectIsCp936, "--collect-encoding"},
                                                         {o.CollectComments, "--collect-comments"},
                                                         {!o.Also.empty(), "--also"},
                                                         {!o.AlsoList.isEmpty(), "--also-list"}};
    for (const auto &[given, option] : needCollect)
        if (given && o.CollectPaths.isEmpty())
            return DotrixCli::tr("%1 goes with --collect PATH").arg(QLatin1String(option)).toStdString();
    if (o.ToTraditional && o.ToSimplified)
        return DotrixCli::tr("--to-traditional and --to-simplified contradict each other; choose one").toStdString();
    const std::pair<bool, const char *> needList[] = {
        {o.ListIsCp936, "--list-encoding"}, {o.ToTraditional, "--to-traditional"},
        {o.ToSimplified, "--to-simplified"}, {o.Dedupe, "--dedupe"},
        {o.Filter, "--filter"},             {o.Sort, "--sort"},
        {o.PrintList, "--print-list"}};
    for (const auto &[given, option] : needList)
        if (given && !o.HasList())
            return DotrixCli::tr("%1 works on the character list: give --list FILE or --charset SET")
                .arg(QLatin1String(option))
                .toStdString();
    if (o.ListIsCp936 && o.ListFile.isEmpty())
        return DotrixCli::tr("--list-encoding applies to --list FILE").toStdString();
    if (o.HasList() && !o.PrintList && !o.Batch && !o.IndexTable && !o.Export)
        return DotrixCli::tr("the character list is used by --batch, --export, --index-table and --print-list; give one of them")
            .toStdString();
    if (std::string error = CheckExportOptions(o); !error.empty())
        return error;
    if (o.Data != DataFile::None && !o.Batch)
        return DotrixCli::tr("--data makes font.dat in a batch run: add --batch").toStdString();
    if (o.Index && o.Data == DataFile::None)
        return DotrixCli::tr("--index goes into font.dat: add --data dat or --data bin").toStdString();
    if (!o.SavePath.isEmpty() && o.Data == DataFile::None)
        return DotrixCli::tr("--save copies font.dat: add --data dat or --data bin").toStdString();
    if (o.Delivers() && (o.Preview || !o.PicturePath.isEmpty() || o.PrintList))
        return DotrixCli::tr("--send-serial and --copy-to deliver font.dat; they go with --batch or alone").toStdString();
    if (!o.PicturePath.isEmpty() && (o.Batch || o.IndexTable || o.Preview || o.HasList()))
        return DotrixCli::tr("--picture writes one picture's data; it goes with neither the list, --batch nor --preview").toStdString();
    if ((o.Batch || o.IndexTable) && o.Preview)
        return DotrixCli::tr("--preview shows one glyph; it does not go with --batch or --index-table").toStdString();
    return {};
}

} // namespace

FontExportRequest ExportRequestOf(const CliOptions &options)
{
    FontExportRequest request;
    request.Format = options.Export.value_or(ExportFormat::Lvgl);
    request.Bpp = options.BppGiven ? options.Bpp : FormatInfo(request.Format).DefaultBpp();
    request.Compress = options.Compress;
    request.FontName = options.FontName;
    request.ArrayName = options.ArrayName;
    request.OutPath = options.OutPath;
    request.Advance = options.Advance.value_or(AdvanceMode::Font);
    request.Kerning = !options.NoKerning;
    request.FitOffsetY = !options.OffsetGiven || options.Settings.FitOffsetY;
    return request;
}

CliParseResult ParseCliArgs(const std::vector<std::string> &args)
{
    CliParseResult result;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!optionsEnded && arg.size() >= 2 && arg[0] == '-' && arg != "-") {
                result.Error = DotrixCli::tr("unknown option '%1' (try --help)").arg(QString::fromStdString(arg)).toStdString();
                return result;
            }
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t eq = arg.find('=');
        const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        const OptionSpec *option = FindOption(name);
        if (!option) {
            result.Error =
                DotrixCli::tr("unknown option '--%1' (try --help)").arg(QString::fromStdString(name)).toStdString();
            return result;
        }
        std::string value;
        if (!option->Value.empty()) {
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                result.Error = DotrixCli::tr("option --%1 needs a value").arg(QString::fromStdString(name)).toStdString();
                return result;
            }
        } else if (eq != std::string::npos) {
            result.Error = DotrixCli::tr("option --%1 takes no value").arg(QString::fromStdString(name)).toStdString();
            return result;
        }
        if (std::string error = option->Apply(result.Options, value); !error.empty()) {
            result.Error = error;
            return result;
        }
    }
    if (result.Options.Help || result.Options.Version) {
        result.Ok = true;
        return result;
    }
    if (std::string error = CheckListOptions(result.Options); !error.empty()) {
        result.Error = error;
        return result;
    }
    const CliOptions &o = result.Options;
    if (positional.empty() && (o.PrintList || ((o.Batch || o.IndexTable || o.Export) && o.HasList()) || !o.PicturePath.isEmpty()
                               || (o.Delivers() && !o.Batch))) {
        result.Ok = true;
        return result;
    }
    if (positional.empty()) {
        result.Error = DotrixCli::tr("no TEXT given (try --help)").toStdString();
        return result;
    }
    if (positional.size() > 1) {
        result.Error = DotrixCli::tr("more than one TEXT given: '%1' (quote text with spaces)")
                           .arg(QString::fromStdString(positional[1]))
                           .toStdString();
        return result;
    }
    result.Options.Text = positional.front();
    result.Ok = true;
    return result;
}

namespace {

// "  --name VALUE       help", the help's lines under each other from column 21.
std::string OptionHelp(const OptionSpec &option)
{
    constexpr size_t HelpColumn = 21;
    std::string row = std::string("  --") + option.Name + (option.Value.empty() ? "" : " " + option.Value);
    row.resize(std::max(HelpColumn, row.size() + 1), ' ');
    QString text = DotrixCli::tr(option.Help);
    if (!option.Default.empty())
        text = text.arg(QString::fromStdString(option.Default));
    const std::string help = text.toStdString();
    for (size_t start = 0, end; start <= help.size(); start = end + 1) {
        end = std::min(help.find('\n', start), help.size());
        row += (start == 0 ? "" : std::string(HelpColumn, ' ')) + help.substr(start, end - start) + "\n";
    }
    return row;
}

} // namespace

std::string CliUsage()
{
    std::string usage = DotrixCli::tr(
           "Usage: dotrix-cli [options] TEXT\n"
           "       dotrix-cli (--list FILE | --charset SET | --collect PATH...) [list options] --print-list [options] [TEXT]\n"
           "       dotrix-cli --picture FILE [options]\n"
           "       dotrix-cli --batch [--data dat|bin [--index HEX] [--save PATH]] [options] (LIST | TEXT)\n"
           "       dotrix-cli --export lvgl --out FILE [--bpp N [--compress]] [--font-name NAME] [options] (LIST | TEXT)\n"
           "       dotrix-cli --export bdf --out FILE [options] (LIST | TEXT)\n"
           "       dotrix-cli --export ubin --out FILE [--bpp N] [options] (LIST | TEXT)\n"
           "       dotrix-cli --export vlw --out FILE [--vlw-array NAME] [options] (LIST | TEXT)\n"
           "\n"
           "Draws the last character of TEXT (UTF-8) into a dot matrix and writes its glyph\n"
           "source file (name.c, with name.bmp) to the work directory, printing the file's path.\n")
        .toStdString();
    for (const OptionSection &section : OptionSections()) {
        usage += "\n";
        if (section.Heading)
            usage += DotrixCli::tr(section.Heading).toStdString() + "\n";
        for (const OptionSpec &option : section.Options)
            usage += OptionHelp(option);
        if (section.Note)
            usage += DotrixCli::tr(section.Note).toStdString() + "\n";
    }
    return usage;
}
