#include "fontexport.h"

#include "bdffontwriter.h"
#include "fontfilewriter.h"
#include "lvglcompress.h"
#include "lvglfontwriter.h"
#include "ubinfontwriter.h"

#include "charset/cp936.h"
#include "raster/glyphpatch.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

const std::vector<ExportFormatInfo> Formats = {
    {ExportFormat::Lvgl, QT_TRANSLATE_NOOP("CoreMessage", "LVGL C 字体 (.c)"), ".c", true, true},
    {ExportFormat::Bdf, QT_TRANSLATE_NOOP("CoreMessage", "BDF 点阵字体 (.bdf)"), ".bdf", false, false},
    {ExportFormat::Ubin, QT_TRANSLATE_NOOP("CoreMessage", "Unicode 索引字库 (.ubin)"), ".ubin", true, false},
};

std::unique_ptr<FontFileWriter> MakeWriter(ExportFormat format, AtomicFile &file)
{
    switch (format) {
    case ExportFormat::Lvgl:
        return std::make_unique<LvglFontWriter>(file);
    case ExportFormat::Bdf:
        return std::make_unique<BdfFontWriter>(file);
    case ExportFormat::Ubin:
        return std::make_unique<UbinFontWriter>(file);
    }
    return nullptr;
}

// Quotes an argument for a POSIX shell where it needs it. "*/", "/*" and the trigraph "??/" are
// split between two quoted pieces, so the line can stand inside a C comment: none of them can end
// the comment, open a nested one (an error under -Werror) or join the next line.
std::string ShellWord(const std::string &word)
{
    const bool plain = !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                                "0123456789_-+=.,:/@%") == std::string::npos;
    if (plain)
        return word;
    std::string quoted = "'";
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '\'')
            quoted += "'\\''";
        else if ((word[i] == '*' && word.compare(i + 1, 1, "/") == 0)
                 || (word[i] == '/' && word.compare(i + 1, 1, "*") == 0)
                 || (word[i] == '?' && word.compare(i + 1, 2, "?/") == 0))
            quoted += word.substr(i, 1) + "''";
        else
            quoted += word[i];
    }
    return quoted + "'";
}

// "U+6E29, U+4E00": characters (code page 936) by their code points.
std::string CodePointNames(const std::vector<std::string> &characters)
{
    std::string names;
    for (const std::string &character : characters) {
        const QList<uint> codes = Cp936ToQString(character).toUcs4();
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", codes.isEmpty() ? 0u : codes.front());
        names += std::string(names.empty() ? "" : ", ") + name;
    }
    return names;
}

// The header's line on the placement FitOffsetY chose from the ink, measured at the settings'
// offset.
std::string PlacementLine(const InkTally &ink, const GlyphSettings &settings, int offsetY)
{
    const std::string offset = std::to_string(settings.OffsetX) + "," + std::to_string(offsetY);
    if (ink.FittingOffsetY(settings.OffsetY, settings.Height)) {
        std::string line = "Placement: offset " + offset + ", chosen so that the ink of every glyph lies within the cell's height";
        if (offsetY != settings.OffsetY)
            line += " (moved from " + std::to_string(settings.OffsetX) + "," + std::to_string(settings.OffsetY) + ")";
        return line;
    }
    std::vector<std::string> first;
    const int lost = ink.OutsideAtShiftY(offsetY - settings.OffsetY, settings.Height, &first);
    return "Placement: offset " + offset + ", where the fewest glyphs lose ink: " + std::to_string(lost) + " ("
           + CodePointNames(first) + (size_t(lost) > first.size() ? ", ..." : "") + "); a cell "
           + std::to_string(ink.Span().height()) + " px high would hold the ink of every glyph";
}

// The vertical offset that holds the kept glyphs' ink, when one does, and the header's line on it.
int FitExportOffset(const std::vector<CodePointChar> &characters, const std::vector<KeptGlyph> &kept,
                    const GlyphSettings &settings, std::string &placement)
{
    InkTally ink;
    for (size_t i = 0; i < characters.size(); ++i)
        ink.Add(characters[i].Character, kept[i].Ink, settings.Width);
    const int offsetY = ink.BestOffsetY(settings.OffsetY, settings.Height);
    placement = PlacementLine(ink, settings, offsetY);
    return offsetY;
}

} // namespace

const std::vector<ExportFormatInfo> &ExportFormats()
{
    return Formats;
}

const ExportFormatInfo &FormatInfo(ExportFormat format)
{
    for (const ExportFormatInfo &info : Formats)
        if (info.Format == format)
            return info;
    return Formats.front();
}

bool IsCIdentifier(std::string_view name)
{
    static const char *const keywords[] = {
        "auto",     "break",    "case",     "char",   "const",    "continue", "default",  "do",
        "double",   "else",     "enum",     "extern", "float",    "for",      "goto",     "if",
        "inline",   "int",      "long",     "register", "restrict", "return", "short",    "signed",
        "sizeof",   "static",   "struct",   "switch", "typedef",  "union",    "unsigned", "void",
        "volatile", "while",    "_Alignas", "_Alignof", "_Atomic", "_Bool",   "_Complex", "_Generic",
        "_Imaginary", "_Noreturn", "_Static_assert", "_Thread_local", "bool", "true", "false", "nullptr"};
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return false;
    for (const char *keyword : keywords)
        if (name == keyword)
            return false;
    return true;
}

QString DefaultFontName(const ExportFontMetrics &metrics)
{
    std::string family;
    bool gap = false;
    for (QChar c : metrics.Family) {
        const char16_t u = c.unicode();
        const bool alnum = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
        if (!alnum) {
            gap = !family.empty();
            continue;
        }
        if (gap)
            family += '_';
        gap = false;
        family += char(u >= 'A' && u <= 'Z' ? u - 'A' + 'a' : u);
    }
    if (family.empty())
        family = "font";
    return QStringLiteral("dotrix_%1_%2").arg(QString::fromStdString(family)).arg(metrics.PixelSize);
}

bool CarriesKerning(const FontExportRequest &request)
{
    return request.Kerning && request.Format == ExportFormat::Lvgl && request.Advance == AdvanceMode::Font;
}

Failure CheckExportRequest(const FontExportRequest &request)
{
    const ExportFormatInfo &format = FormatInfo(request.Format);
    const QString word = QLatin1String(WordOfMode(format.Format));
    if (!IsExportBpp(request.Bpp) || (!format.TakesBpp && request.Bpp != 1))
        return {FailureCode::ExportBpp, {}, {},
                {QString::number(request.Bpp), word, format.TakesBpp ? QStringLiteral("1, 2, 4, 8") : QStringLiteral("1")}};
    if (request.Compress && (format.Format != ExportFormat::Lvgl || !LvglCompressesBpp(request.Bpp)))
        return {FailureCode::ExportCompress, {}, {}, {word, QString::number(request.Bpp)}};
    if (!format.TakesFontName && !request.FontName.isEmpty())
        return {FailureCode::ExportNoFontName, {}, {}, {word}};
    if (format.TakesFontName && !request.FontName.isEmpty() && !IsCIdentifier(request.FontName.toStdString()))
        return {FailureCode::NotACIdentifier, {}, {}, {request.FontName}};
    if (request.OutPath.isEmpty())
        return {FailureCode::ExportNoFile, {}, {}, {}};
    return {};
}

namespace {

// Above 1 bpp a glyph fixed by hand has no grey edges: its dots are written at full ink.
QString PatchedDepthNote(const std::vector<CodePointChar> &characters, const GlyphSettings &settings, int bpp)
{
    if (bpp == 1 || !settings.Patch)
        return {};
    const int patched = int(std::count_if(characters.begin(), characters.end(), [&](const CodePointChar &c) {
        return settings.Patch->Find(c.CodePoint) != nullptr;
    }));
    if (patched == 0)
        return {};
    const QString glyphs = patched == 1 ? QStringLiteral("1 glyph comes") : QStringLiteral("%1 glyphs come").arg(patched);
    return QStringLiteral("%1 from the patch %2, written at full ink from their dots, without the grey edges of %3 "
                          "bits per pixel")
        .arg(glyphs, settings.Patch->Path)
        .arg(bpp);
}

} // namespace

FontExportResult ExportFont(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                            const FontExportRequest &request, JobControl &control)
{
    FontExportResult result;
    const JobScope scope(control, qint64(characters.size()));

    result.Path = request.OutPath;
    result.Error = CheckExportRequest(request);
    if (!result.Error)
        result.Error = CheckPatch(settings);
    if (!result.Error && characters.empty())
        result.Error = {FailureCode::ExportEmptyList, {}, {}, {}};
    if (!result.Error && (settings.Width < 1 || settings.Height < 1))
        result.Error = {FailureCode::ExportEmptyGlyph, {}, {}, {QString::number(settings.Width), QString::number(settings.Height)}};
    if (result.Error) {
        result.State = FontExportResult::Refused;
        return result;
    }

    FontFileInfo info;
    GlyphSettings placed = settings;
    // Every glyph is drawn once, at the settings' offset; the placement is chosen from their ink and
    // the glyphs are then taken out of what was drawn.
    const std::vector<KeptGlyph> kept = DrawKeptGlyphs(characters, settings, request.Bpp, control);
    if (kept.size() != characters.size()) {
        result.State = FontExportResult::Cancelled;
        return result;
    }
    if (request.FitOffsetY)
        placed.OffsetY = FitExportOffset(characters, kept, settings, info.Placement);
    result.OffsetY = placed.OffsetY;
    result.Moved = placed.OffsetY != settings.OffsetY;
    info.Metrics = MeasureExportFont(placed, request.Bpp, request.Advance);
    info.Settings = placed;
    info.Bpp = request.Bpp;
    info.Compress = request.Compress;
    info.FontName = request.FontName.isEmpty() ? DefaultFontName(info.Metrics) : request.FontName;
    info.GlyphCount = characters.size();
    info.CodePoints.reserve(characters.size());
    info.Advances.reserve(characters.size());
    qint64 advances16 = 0;
    for (size_t i = 0; i < characters.size(); ++i) {
        const CodePointChar &character = characters[i];
        info.CodePoints.push_back(character.CodePoint);
        const int advance16 = ExportAdvance16(character, info.Metrics, kept[i].Advance);
        info.Advances.push_back(RoundSixteenths(advance16));
        advances16 += advance16;
    }
    info.AverageAdvance10 = int((advances16 * 10 + qint64(characters.size()) * 8) / (qint64(characters.size()) * 16));
    info.MadeWith = request.MadeWith;
    if (CarriesKerning(request))
        info.Kerning = MeasureKerning(characters, placed, request.Bpp);
    result.KernPairs = int(info.Kerning.size());
    result.FontName = info.FontName;

    AtomicFile file(request.OutPath);
    const std::unique_ptr<FontFileWriter> writer = MakeWriter(request.Format, file);
    if (!writer || !file.Open() || !writer->Begin(info, &result.Error)) {
        result.State = FontExportResult::Failed;
        if (!result.Error)
            result.Error = file.Error();
        return result;
    }
    const ExportRunResult run =
        DrawExportGlyphs(characters, placed, request.Bpp, request.Advance, control,
                         [&](const ExportGlyph &glyph, Failure *failure) {
                             result.Ink.Add(glyph.Character, glyph.Ink, glyph.CellWidth);
                             return writer->AddGlyph(glyph, failure);
                         },
                         &kept, placed.OffsetY - settings.OffsetY);
    result.Glyphs = run.Glyphs;
    if (run.State != ExportRunResult::Done) {
        // The temporary file goes with the AtomicFile; an earlier file stays as it was.
        result.State = run.State == ExportRunResult::Cancelled ? FontExportResult::Cancelled : FontExportResult::Failed;
        result.Error = run.Error;
        return result;
    }
    if (!writer->Finish(&result.Error) || !file.Commit()) {
        result.State = FontExportResult::Failed;
        if (!result.Error)
            result.Error = file.Error();
        return result;
    }
    result.Bytes = file.Size();
    result.Note = writer->Note();
    const QString patched = PatchedDepthNote(characters, settings, request.Bpp);
    if (!patched.isEmpty())
        result.Note = result.Note.isEmpty() ? patched : result.Note + QStringLiteral("; ") + patched;
    return result;
}

std::string ExportCommandLine(const GlyphSettings &settings, const FontExportRequest &request,
                              const std::vector<std::string> &listArguments)
{
    const ExportFormatInfo &format = FormatInfo(request.Format);
    std::vector<std::string> words = {"dotrix-cli", "--export", WordOfMode(request.Format)};
    if (format.TakesBpp)
        words.insert(words.end(), {"--bpp", std::to_string(request.Bpp)});
    if (request.Compress)
        words.emplace_back("--compress");
    if (format.TakesFontName && !request.FontName.isEmpty())
        words.insert(words.end(), {"--font-name", request.FontName.toStdString()});
    if (request.Advance != AdvanceMode::Font)
        words.insert(words.end(), {"--advance", WordOfMode(request.Advance)});
    else if (request.Format == ExportFormat::Lvgl && !request.Kerning)
        words.emplace_back("--no-kerning");
    // Points as a user writes them (12, 10.5); a size in points no one would write, in pixels.
    const GlyphFontDesc &font = settings.GlyphFont;
    const double hundredths = font.PointSize * 100;
    if (std::abs(hundredths - std::round(hundredths)) < 1e-6)
        words.insert(words.end(), {"--font", font.Face.toStdString(), "--font-size", font.PointSizeText().toStdString()});
    else
        words.insert(words.end(), {"--font", font.Face.toStdString(), "--px", std::to_string(font.PixelHeight())});
    words.insert(words.end(), {"--size", std::to_string(settings.Width) + "x" + std::to_string(settings.Height)});
    // A fitted offset is found again from the same start.
    if (!request.FitOffsetY || settings.OffsetX != 0 || settings.OffsetY != 0)
        words.insert(words.end(), {"--offset", std::to_string(settings.OffsetX) + "," + std::to_string(settings.OffsetY)});
    if (request.FitOffsetY && (settings.OffsetX != 0 || settings.OffsetY != 0))
        words.emplace_back("--fit");
    if (settings.Patch && !settings.Patch->Empty())
        words.insert(words.end(), {"--patch", QFileInfo(settings.Patch->Path).fileName().toStdString()});
    words.insert(words.end(), {"--out", QFileInfo(request.OutPath).fileName().toStdString()});
    words.insert(words.end(), listArguments.begin(), listArguments.end());
    std::string line;
    for (const std::string &word : words)
        line += (line.empty() ? "" : " ") + ShellWord(word);
    return line;
}
