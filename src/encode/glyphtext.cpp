#include "glyphtext.h"

#include "charset/cp936.h"
#include "charset/pinyin.h"
#include "packglyph.h"

#include <set>

const char *const RightsNotice =
    "/* The glyph data and text below are protected: they may not be copied or sold without the "
    "author's authorization. */";

namespace {

const std::string HeaderTag = " [mavo software]";

// The character as an assembler's comment can carry it: a line break would end the comment and
// leave the rest of the header to be assembled, and some assemblers stop at a NUL or a DOS end of
// file (1A), so control characters other than the tab are written as escapes ("\n", "\x1A").
std::string AsmCommentText(const std::string &character)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : character) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 || c == '\t')
            text += c;
        else if (c == '\n' || c == '\r')
            text += c == '\n' ? "\\n" : "\\r";
        else
            text += {'\\', 'x', Hex[byte >> 4], Hex[byte & 0x0F]};
    }
    return text;
}

std::string HeaderLine(const std::string &name, const std::string &character, const GlyphSettings &settings,
                       bool forFile)
{
    const char scanLetter = settings.ScanMode == ScanOrder::Horizontal ? 'H' : 'V';
    const bool asmTable = settings.OutputFormat == SourceFormat::AsmTable;
    const std::string body = "@" + name + " " + (asmTable ? AsmCommentText(character) : character) + "("
                             + std::to_string(settings.Width) + "x" + std::to_string(settings.Height) + ","
                             + scanLetter + ")@";
    // Files carry the tag where the preview has a single space.
    const std::string tail = forFile ? HeaderTag : std::string(" ");
    if (asmTable)
        return "; * " + body + tail + "*";
    return "/* " + body + tail + "*/";
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

void DropLast(std::string &line, size_t count)
{
    line.resize(line.size() > count ? line.size() - count : 0);
}

// Data lines of the horizontal and vertical scans: runs separated by two spaces.
std::vector<std::string> RunLines(const PackedGlyph &packed, SourceFormat outputFormat)
{
    const std::string suffix = outputFormat == SourceFormat::AsmTable ? "H," : ",";
    std::vector<std::string> lines;
    lines.reserve(packed.Lines.size());
    for (size_t i = 0; i < packed.Lines.size(); ++i) {
        std::string line;
        for (const DataRun &run : packed.Lines[i].Runs) {
            for (const std::string &token : run.Tokens)
                line += token + suffix;
            line += "  ";
        }
        const bool last = i + 1 == packed.Lines.size();
        if (outputFormat == SourceFormat::AsmTable) {
            DropLast(line, 3);
            line = "DB  " + line;
        } else if (outputFormat == SourceFormat::CArray && last) {
            DropLast(line, 3);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// Data lines of the "ZN" scan: one band of tokens a line.
std::vector<std::string> BandLines(const PackedGlyph &packed, SourceFormat outputFormat)
{
    const std::string suffix = outputFormat == SourceFormat::AsmTable ? "H," : ",";
    std::vector<std::string> lines;
    lines.reserve(packed.Lines.size());
    for (size_t i = 0; i < packed.Lines.size(); ++i) {
        std::string line;
        for (const DataRun &run : packed.Lines[i].Runs)
            for (const std::string &token : run.Tokens)
                line += token + suffix;
        const bool last = i + 1 == packed.Lines.size();
        if (outputFormat == SourceFormat::AsmTable) {
            if (!line.empty())
                line.pop_back();
            line = "DB " + line;
        } else if (outputFormat == SourceFormat::CArray && last) {
            if (!line.empty())
                line.pop_back();
            line += "};";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// A C identifier that is not one of C's keywords (龙 reads long, which the preview names it).
bool IsIdentifier(const std::string &name)
{
    static const std::set<std::string> Keywords = {
        "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
        "extern", "float", "for", "goto", "if", "inline", "int", "long", "register", "restrict", "return",
        "short", "signed", "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void",
        "volatile", "while", "_Alignas", "_Alignof", "_Atomic", "_Bool", "_Complex", "_Generic",
        "_Imaginary", "_Noreturn", "_Static_assert", "_Thread_local"};
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (name.empty() || !letter(name[0]) || Keywords.count(name))
        return false;
    for (const char c : name)
        if (!letter(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

} // namespace

std::string SourceIdentifier(const std::string &name)
{
    if (IsIdentifier(name))
        return name;
    std::string identifier = IdentifierPrefix;
    for (const char c : name)
        identifier += (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? c : '_';
    return identifier;
}

GlyphText ComposeGlyphText(const std::string &name, const std::string &character, const GlyphSettings &settings,
                           const DotMatrix &matrix, bool forFile)
{
    GlyphText text;
    text.ScanMode = settings.ScanMode;
    text.OutputFormat = settings.OutputFormat;
    text.Name = name;
    const PackedGlyph packed = PackGlyph(matrix, settings);
    if (packed.Refused) {
        text.Refused = true;
        return text;
    }
    const bool zn = settings.ScanMode == ScanOrder::ZN;
    text.Items.push_back({GlyphTextRole::Header, HeaderLine(name, character, settings, forFile)});
    if (settings.OutputFormat == SourceFormat::CArray)
        text.Items.push_back({GlyphTextRole::Declaration, "unsigned char " + SourceIdentifier(name) + "[]={"});
    // An empty name leaves an assembler table without a label, which assemblers take as it is.
    if (settings.OutputFormat == SourceFormat::AsmTable)
        text.Items.push_back({GlyphTextRole::Label, name.empty() ? name : SourceIdentifier(name)});
    for (std::string &line : zn ? BandLines(packed, settings.OutputFormat) : RunLines(packed, settings.OutputFormat))
        text.Items.push_back({GlyphTextRole::Data, std::move(line)});
    // A "ZN" C array closes on its last data line; with no data line at all it still needs closing.
    const bool closedOnDataLine = zn && !packed.Lines.empty();
    if (settings.OutputFormat == SourceFormat::CArray && !closedOnDataLine)
        text.Items.push_back({GlyphTextRole::Closing, "};"});
    return text;
}

std::string GlyphFileBytes(const GlyphText &text, bool withNotice)
{
    static const std::string CrLf = "\r\n";
    std::string bytes;
    if (text.Refused)
        return bytes;
    if (withNotice)
        bytes += RightsNotice + CrLf;
    // In files an assembler label starts the first data line; later lines are indented to it.
    std::string label;
    bool firstData = true;
    for (const GlyphTextItem &item : text.Items) {
        switch (item.Role) {
        case GlyphTextRole::Label:
            label = item.Text;
            break;
        case GlyphTextRole::Data:
            if (text.OutputFormat == SourceFormat::AsmTable)
                bytes += firstData ? label + " " : std::string(label.size() + 1, ' ');
            bytes += item.Text + CrLf;
            firstData = false;
            break;
        default:
            bytes += item.Text + CrLf;
            break;
        }
    }
    // An assembler table without data lines still carries its label.
    if (text.OutputFormat == SourceFormat::AsmTable && firstData)
        bytes += label + CrLf;
    return bytes;
}

std::string GlyphDataBytes(const GlyphText &text)
{
    std::string bytes;
    for (const GlyphTextItem &item : text.Items) {
        if (item.Role != GlyphTextRole::Data)
            continue;
        const std::string &line = item.Text;
        for (size_t at = line.find("0x"); at != std::string::npos; at = line.find("0x", at + 2)) {
            if (at + 3 >= line.size())
                break; // a byte needs both its digits
            bytes.push_back(char(HexDigitValue(line[at + 2]) * 16 + HexDigitValue(line[at + 3])));
        }
    }
    return bytes;
}

bool PreviewSink::Receive(const GlyphText &text, Failure *)
{
    m_text = text;
    return true;
}

std::vector<PreviewLine> PreviewSink::Layout() const
{
    constexpr int LineStep = 20;
    const bool zn = m_text.ScanMode == ScanOrder::ZN;
    const bool besideLabel = m_text.OutputFormat == SourceFormat::AsmTable && !zn;
    int dbIndent = 10;
    for (const GlyphTextItem &item : m_text.Items)
        if (item.Role == GlyphTextRole::Label)
            dbIndent += 10 * int(item.Text.size());
    std::vector<PreviewLine> lines;
    int y = 10;
    for (const GlyphTextItem &item : m_text.Items) {
        switch (item.Role) {
        case GlyphTextRole::Header:
            lines.push_back({item.Text, 5, zn ? 10 : 5});
            break;
        case GlyphTextRole::Declaration:
            y = 30;
            lines.push_back({item.Text, 5, y});
            break;
        case GlyphTextRole::Label:
            if (!zn) {
                y += LineStep;
                lines.push_back({item.Text, 5, y});
            }
            break;
        case GlyphTextRole::Data:
            if (besideLabel) {
                lines.push_back({item.Text, dbIndent, y});
                y += LineStep;
            } else {
                y += LineStep;
                lines.push_back({item.Text, 5, y});
            }
            break;
        case GlyphTextRole::Closing:
            y += LineStep;
            lines.push_back({item.Text, 5, y});
            break;
        }
    }
    return lines;
}

std::vector<std::string> PreviewSink::Lines() const
{
    std::vector<std::string> rows;
    int rowY = 0;
    for (const PreviewLine &line : Layout()) {
        if (rows.empty() || line.Y != rowY) {
            rows.emplace_back();
            rowY = line.Y;
        }
        std::string &row = rows.back();
        const size_t column = size_t(line.X / 10);
        if (row.size() < column)
            row.append(column - row.size(), ' ');
        else if (!row.empty())
            row += ' ';
        row += line.Text;
    }
    return rows;
}

GlyphTextResult WritePreviewText(PreviewSink &sink, const GlyphSettings &settings, const DotMatrix &matrix)
{
    const std::string character = LastCharOf(settings.CurrentText);
    std::string name = GetPinyin(character, settings.NumberedNames);
    if (name.empty())
        name = settings.PictureName;
    return WriteGlyphText(sink, name, character, settings, matrix);
}

GlyphFileSink::GlyphFileSink(OutputDirectory &output, const QString &fileName)
    : m_output(output), m_fileName(fileName)
{
}

bool GlyphFileSink::Receive(const GlyphText &text, Failure *failure)
{
    return m_output.WriteFile(m_fileName, GlyphFileBytes(text, true), failure);
}

GlyphTextResult WriteGlyphText(GlyphTextSink &sink, const std::string &name, const std::string &character,
                               const GlyphSettings &settings, const DotMatrix &matrix, Failure *failure)
{
    const GlyphText text = ComposeGlyphText(name, character, settings, matrix, !sink.IsPreview());
    if (text.Refused) {
        if (sink.IsPreview()) // the preview shows the refusal instead of the previous glyph
            sink.Receive(text, failure);
        return GlyphTextResult::Refused;
    }
    return sink.Receive(text, failure) ? GlyphTextResult::Written : GlyphTextResult::Failed;
}
