#include "cliargs.h"

#include "encode/indexvalue.h"
#include "l10n/language.h"

#include <charconv>
#include <functional>
#include <optional>

namespace {

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const char *first = text.data();
    const char *last = first + text.size();
    // One sign at most: "+2" and "-2" are numbers, "+-2" is not.
    if (!text.empty() && text.front() == '+') {
        ++first;
        if (first != last && *first == '-')
            return std::nullopt;
    }
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

// Points as a user writes them: digits, optionally a point and more digits ("12", "10.5").
std::optional<double> ParsePoints(std::string_view text)
{
    const size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.size() <= 6 && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(whole) || (dot != std::string_view::npos && !digits(fraction)))
        return std::nullopt;
    double points = 0;
    std::from_chars(text.data(), text.data() + text.size(), points); // not the locale's decimal point
    return points;
}

// Splits "A<sep>B" into two integers.
std::optional<std::pair<int, int>> ParsePair(std::string_view text, std::string_view separators)
{
    const size_t at = text.find_first_of(separators);
    if (at == std::string_view::npos)
        return std::nullopt;
    const auto a = ParseInt(text.substr(0, at));
    const auto b = ParseInt(text.substr(at + 1));
    if (!a || !b)
        return std::nullopt;
    return std::make_pair(*a, *b);
}

using Setter = std::function<std::string(CliOptions &, const std::string &)>; // returns an error or ""

struct OptionSpec
{
    const char *Name;
    bool TakesValue;
    Setter Apply;
};

std::string BadValue(const char *option, const std::string &value, const QString &expected)
{
    return DotrixCli::tr("bad value '%1' for --%2: expected %3")
        .arg(QString::fromStdString(value), QLatin1String(option), expected)
        .toStdString();
}

// An option naming a file or folder: any non-empty text, kept as given. expected is marked for
// translation in the DotrixCli context.
OptionSpec PathOption(const char *name, QString CliOptions::*field, const char *expected)
{
    return {name, true, [name, field, expected](CliOptions &o, const std::string &v) -> std::string {
                if (v.empty())
                    return BadValue(name, v, DotrixCli::tr(expected));
                o.*field = QString::fromStdString(v);
                return {};
            }};
}

const std::vector<OptionSpec> &Options()
{
    static const std::vector<OptionSpec> options = {
        {"font", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v.empty())
                 return BadValue("font", v, DotrixCli::tr("a font family name"));
             o.Settings.GlyphFont.Face = QString::fromStdString(v);
             return {};
         }},
        {"font-size", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto pt = ParsePoints(v);
             if (!pt || *pt < 1 || *pt > 720)
                 return BadValue("font-size", v, DotrixCli::tr("points from 1 to 720, such as 12 or 10.5"));
             if (o.PixelsGiven)
                 return DotrixCli::tr("--font-size and --px both give the font's size; choose one").toStdString();
             o.Settings.GlyphFont.PointSize = *pt;
             o.PointsGiven = true;
             return {};
         }},
        {"px", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto px = ParseInt(v);
             if (!px || *px < 1 || *px > 960)
                 return BadValue("px", v, DotrixCli::tr("pixels from 1 to 960"));
             if (o.PointsGiven)
                 return DotrixCli::tr("--font-size and --px both give the font's size; choose one").toStdString();
             o.Settings.GlyphFont.SetPixelHeight(*px);
             o.PixelsGiven = true;
             return {};
         }},
        {"size", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto size = ParsePair(v, "xX");
             if (!size || size->first < 1 || size->second < 1)
                 return BadValue("size", v, DotrixCli::tr("WIDTHxHEIGHT, each 1 to 1024, such as 16x16"));
             if (size->first > MaxGlyphSide || size->second > MaxGlyphSide)
                 return CoreMessage(MatrixTooBigMessage).toStdString();
             o.Settings.Width = size->first;
             o.Settings.Height = size->second;
             return {};
         }},
        {"offset", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto offset = ParsePair(v, ",");
             if (!offset)
                 return BadValue("offset", v, DotrixCli::tr("X,Y in pixels, such as 0,-2"));
             o.Settings.OffsetX = offset->first;
             o.Settings.OffsetY = offset->second;
             o.OffsetGiven = true;
             return {};
         }},
        {"fit", false,
         [](CliOptions &o, const std::string &) { o.Settings.FitOffsetY = true; return std::string(); }},
        {"scan", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v == "h")
                 o.Settings.ScanMode = ScanHorizontal;
             else if (v == "v")
                 o.Settings.ScanMode = ScanVertical;
             else if (v == "zn")
                 o.Settings.ScanMode = ScanZN;
             else
                 return BadValue("scan", v, DotrixCli::tr("h, v or zn"));
             return {};
         }},
        {"group", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto bits = ParseInt(v);
             for (int digits : GroupDigitsChoices) {
                 if (bits && *bits == digits * 4) {
                     o.Settings.GroupDigits = digits;
                     return {};
                 }
             }
             return BadValue("group", v, DotrixCli::tr("bits per group: 4, 8, 12, 16, 24 or 32"));
         }},
        {"format", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v == "typical")
                 o.Settings.OutputFormat = Typical;
             else if (v == "c")
                 o.Settings.OutputFormat = CArray;
             else if (v == "asm")
                 o.Settings.OutputFormat = AsmTable;
             else
                 return BadValue("format", v, DotrixCli::tr("typical, c or asm"));
             return {};
         }},
        PathOption("workdir", &CliOptions::WorkDir, QT_TRANSLATE_NOOP("DotrixCli", "a directory")),
        PathOption("list", &CliOptions::ListFile, QT_TRANSLATE_NOOP("DotrixCli", "a file holding the character list")),
        {"list-encoding", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v == "utf-8" || v == "utf8")
                 o.ListIsCp936 = false;
             else if (v == "cp936")
                 o.ListIsCp936 = true;
             else
                 return BadValue("list-encoding", v, DotrixCli::tr("utf-8 or cp936"));
             return {};
         }},
        {"charset", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v == "gb2312")
                 o.Charset = CharacterSet::GB2312;
             else if (v == "gbk")
                 o.Charset = CharacterSet::GBK;
             else
                 return BadValue("charset", v, DotrixCli::tr("gb2312 or gbk"));
             return {};
         }},
        {"to-traditional", false,
         [](CliOptions &o, const std::string &) { o.ToTraditional = true; return std::string(); }},
        {"to-simplified", false,
         [](CliOptions &o, const std::string &) { o.ToSimplified = true; return std::string(); }},
        {"dedupe", false, [](CliOptions &o, const std::string &) { o.Dedupe = true; return std::string(); }},
        {"filter", false, [](CliOptions &o, const std::string &) { o.Filter = true; return std::string(); }},
        {"sort", false, [](CliOptions &o, const std::string &) { o.Sort = true; return std::string(); }},
        {"print-list", false, [](CliOptions &o, const std::string &) { o.PrintList = true; return std::string(); }},
        {"invert", false, [](CliOptions &o, const std::string &) { o.Settings.Invert = true; return std::string(); }},
        {"bit-reverse", false,
         [](CliOptions &o, const std::string &) { o.Settings.BitReverse = true; return std::string(); }},
        {"numbered", false,
         [](CliOptions &o, const std::string &) { o.Settings.NumberedNames = true; return std::string(); }},
        {"preview", false, [](CliOptions &o, const std::string &) { o.Preview = true; return std::string(); }},
        {"batch", false, [](CliOptions &o, const std::string &) { o.Batch = true; return std::string(); }},
        {"data", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (v == "dat")
                 o.DataMode = 1;
             else if (v == "bin")
                 o.DataMode = 2;
             else
                 return BadValue("data", v, DotrixCli::tr("dat or bin"));
             return {};
         }},
        {"index", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             uint16_t value = 0;
             switch (ParseIndexValue(v, value)) {
             case IndexValueCheck::TooLong:
                 return DotrixCli::tr("bad value '%1' for --index: %2")
                     .arg(QString::fromStdString(v), CoreMessage(IndexTooLongMessage))
                     .toStdString();
             case IndexValueCheck::Invalid:
                 return DotrixCli::tr("bad value '%1' for --index: %2 (four hex digits, such as 0000)")
                     .arg(QString::fromStdString(v), CoreMessage(IndexInvalidMessage))
                     .toStdString();
             case IndexValueCheck::Ok:
                 break;
             }
             o.Index = value;
             return {};
         }},
        PathOption("save", &CliOptions::SavePath, QT_TRANSLATE_NOOP("DotrixCli", "a file name")),
        PathOption("picture", &CliOptions::PicturePath, QT_TRANSLATE_NOOP("DotrixCli", "a picture file (BMP, JPEG, GIF)")),
        {"export", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const ExportFormatInfo *format = FindExportFormat(v);
             if (!format) {
                 std::string names;
                 for (const ExportFormatInfo &f : ExportFormats())
                     names += std::string(names.empty() ? "" : ", ") + f.Name;
                 return BadValue("export", v, QString::fromStdString(names));
             }
             o.Export = format->Format;
             return {};
         }},
        PathOption("out", &CliOptions::OutPath, QT_TRANSLATE_NOOP("DotrixCli", "the font file to write")),
        {"bpp", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             const auto bpp = ParseInt(v);
             if (!bpp || !IsExportBpp(*bpp))
                 return BadValue("bpp", v, DotrixCli::tr("bits per pixel: 1, 2, 4 or 8"));
             o.Bpp = *bpp;
             return {};
         }},
        {"font-name", true,
         [](CliOptions &o, const std::string &v) -> std::string {
             if (!IsCIdentifier(v))
                 return BadValue("font-name", v, DotrixCli::tr("a C identifier (letters, digits and _, not a digit first)"));
             o.FontName = QString::fromStdString(v);
             return {};
         }},
        {"send-serial", false,
         [](CliOptions &o, const std::string &) { o.SendSerial = true; return std::string(); }},
        PathOption("copy-to", &CliOptions::CopyTo, QT_TRANSLATE_NOOP("DotrixCli", "a directory")),
        {"index-table", false, [](CliOptions &o, const std::string &) { o.IndexTable = true; return std::string(); }},
        {"dots", false, [](CliOptions &o, const std::string &) { o.Dots = true; return std::string(); }},
        {"lang", true,
         [](CliOptions &, const std::string &v) -> std::string {
             // Set before the arguments are parsed (main), so that this parse speaks it already.
             if (!ParseLanguage(QString::fromStdString(v)))
                 return BadValue("lang", v, DotrixCli::tr("zh or en"));
             return {};
         }},
        {"help", false, [](CliOptions &o, const std::string &) { o.Help = true; return std::string(); }},
        {"version", false, [](CliOptions &o, const std::string &) { o.Version = true; return std::string(); }},
    };
    return options;
}

// The export options that make no sense together or alone; "" when they fit.
std::string CheckExportOptions(const CliOptions &o)
{
    if (!o.Export) {
        if (!o.OutPath.isEmpty() || o.Bpp != 1 || !o.FontName.isEmpty())
            return DotrixCli::tr("--out, --bpp and --font-name go with --export FORMAT").toStdString();
        return {};
    }
    if (o.OutPath.isEmpty())
        return DotrixCli::tr("--export writes a font file: add --out FILE").toStdString();
    if (o.Batch || o.IndexTable || o.Preview || o.PrintList || o.Dots || !o.PicturePath.isEmpty() || o.Delivers())
        return DotrixCli::tr("--export writes one font file; it goes with the list or TEXT, not with --batch, "
                             "--index-table, --preview, --print-list, --dots, --picture or delivery")
            .toStdString();
    FontExportRequest request;
    request.Format = *o.Export;
    request.Bpp = o.Bpp;
    request.FontName = o.FontName;
    request.OutPath = o.OutPath;
    const QString refusal = CheckExportRequest(request);
    return refusal.isEmpty() ? std::string() : "--export " + std::string(FormatInfo(*o.Export).Name) + ": " + refusal.toStdString();
}

// The list options that make no sense together or alone; "" when they fit.
std::string CheckListOptions(const CliOptions &o)
{
    if (!o.ListFile.isEmpty() && o.Charset)
        return DotrixCli::tr("--list and --charset both give the character list; choose one").toStdString();
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
    if (o.DataMode != 0 && !o.Batch)
        return DotrixCli::tr("--data makes font.dat in a batch run: add --batch").toStdString();
    if (o.Index && o.DataMode == 0)
        return DotrixCli::tr("--index goes into font.dat: add --data dat or --data bin").toStdString();
    if (!o.SavePath.isEmpty() && o.DataMode == 0)
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
        const OptionSpec *option = nullptr;
        for (const OptionSpec &candidate : Options())
            if (name == candidate.Name)
                option = &candidate;
        if (!option) {
            result.Error =
                DotrixCli::tr("unknown option '--%1' (try --help)").arg(QString::fromStdString(name)).toStdString();
            return result;
        }
        std::string value;
        if (option->TakesValue) {
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

std::string CliUsage()
{
    return DotrixCli::tr(
           "Usage: dotrix-cli [options] TEXT\n"
           "       dotrix-cli (--list FILE | --charset SET) [list options] --print-list [options] [TEXT]\n"
           "       dotrix-cli --picture FILE [options]\n"
           "       dotrix-cli --batch [--data dat|bin [--index HEX] [--save PATH]] [options] (LIST | TEXT)\n"
           "       dotrix-cli --export lvgl --out FILE [--bpp N] [--font-name NAME] [options] (LIST | TEXT)\n"
           "       dotrix-cli --export bdf --out FILE [options] (LIST | TEXT)\n"
           "       dotrix-cli --export ubin --out FILE [--bpp N] [options] (LIST | TEXT)\n"
           "\n"
           "Draws the last character of TEXT (UTF-8) into a dot matrix and writes its glyph\n"
           "source file (name.c, with name.bmp) to the work directory, printing the file's path.\n"
           "\n"
           "Options:\n"
           "  --font FAMILY      font family to draw with (default 宋体)\n"
           "  --font-size PT     font size in points, 1 to 720, such as 10.5 (default 12: 16 pixels)\n"
           "  --px N             font size in pixels instead, 1 to 960 (12 points are 16 pixels)\n"
           "  --size WxH         glyph size in dots, each 1 to 1024 (default 16x16)\n"
           "  --offset X,Y       position of the character cell in pixels (default 0,0; font\n"
           "                     exports without it move the cell up or down to hold all ink)\n"
           "  --fit              move the vertical offset by the least that holds the ink of\n"
           "                     every character drawn inside the glyph\n"
           "  --scan h|v|zn      horizontal, vertical or ZN scan (default v)\n"
           "  --group BITS       bits per data group: 4, 8, 12, 16, 24 or 32 (default 8)\n"
           "  --invert           emit 0 for ink and 1 for clear dots\n"
           "  --bit-reverse      reverse the bit order inside each value\n"
           "  --format F         typical, c (C arrays) or asm (DB tables) (default typical)\n"
           "  --numbered         name arrays by number instead of by pinyin\n"
           "  --workdir DIR      output directory (default the current directory)\n"
           "  --preview          print the preview text instead of writing the source file\n"
           "  --dots             print the glyph as rows of # and .\n"
           "\n"
           "Character list:\n"
           "  --list FILE        the list from a text file (UTF-8 unless --list-encoding cp936)\n"
           "  --list-encoding E  utf-8 or cp936 (default utf-8)\n"
           "  --charset SET      the list is the whole gb2312 or gbk set (GB2312.txt, GBK.txt)\n"
           "  --to-traditional   convert the list to Traditional Chinese\n"
           "  --to-simplified    convert the list to Simplified Chinese\n"
           "  --dedupe           remove repeated characters and line breaks\n"
           "  --filter           keep only Chinese characters that have a pinyin reading\n"
           "  --sort             one-byte characters in byte order, then the rest by pinyin\n"
           "  --print-list       print the list (UTF-8) on stdout and its count on stderr\n"
           "The list is converted first, then de-duplicated, filtered and sorted, in that order.\n"
           "\n"
           "Batch (over the list, or over every character of TEXT):\n"
           "  --batch            write every glyph's .bmp and .c and the aggregate All.c\n"
           "  --data dat|bin     also pack the glyphs into font.dat (8-bit groups, typical layout)\n"
           "  --index HEX        put a 16-bit index, starting at HEX (four digits), before each glyph\n"
           "  --save PATH        copy font.dat to PATH\n"
           "  --index-table      write Index.c, the code bytes of the list\n"
           "\n"
           "Font export (of the list, or of every character of TEXT, once each, by code point):\n"
           "  --export lvgl      write an LVGL C font (lv_font_fmt_txt_dsc_t) for LVGL 9 and 8\n"
           "  --export bdf       write a BDF 2.1 font (1 bit per pixel) for u8g2's bdfconv, X11, FreeType\n"
           "  --export ubin      write a Unicode-keyed font file for firmware (docs/font-format.md):\n"
           "                     the glyphs packed as font.dat packs them (--scan, --invert,\n"
           "                     --bit-reverse; 8-bit groups), found by code point\n"
           "  --out FILE         the font file to write (replaced only when the whole font is written)\n"
           "  --bpp N            lvgl, ubin: bits per pixel: 1 (the batch's dots) or 2, 4, 8\n"
           "                     (anti-aliased) (default 1)\n"
           "  --font-name NAME   lvgl: the font's C name (default dotrix_FAMILY_PIXELS)\n"
           "\n"
           "Delivery of the work directory's font.dat (after --batch when given with it):\n"
           "  --send-serial      send it over the serial port with XMODEM (port and speed: the\n"
           "                     environment variables TRELLON_PORT and TRELLON_BAUD)\n"
           "  --copy-to DIR      copy it into DIR (a mounted memory stick, say)\n"
           "\n"
           "Pictures:\n"
           "  --picture FILE     turn a BMP, JPEG or GIF picture into dots (ink where darker than\n"
           "                     mid-grey) and write NAME.c, NAME being the file's name\n"
           "\n"
           "  --help             show this text\n"
           "  --lang zh|en       language of the messages (default: the locale's)\n"
           "  --version          show the version\n")
        .toStdString();
}
