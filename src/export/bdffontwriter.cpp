#include "bdffontwriter.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// The resolution the pixel size was worked out at: points x dpi / 72 pixels.
int Resolution(const ExportFontMetrics &metrics)
{
    if (metrics.DeciPoints <= 0 || metrics.PixelSize <= 0)
        return 96;
    return std::max(1, (metrics.PixelSize * 720 + metrics.DeciPoints / 2) / metrics.DeciPoints);
}

std::string WeightName(const GlyphFontDesc &font)
{
    if (font.Weight == 0 || (font.Weight >= 400 && font.Weight < 600))
        return "Medium";
    if (font.Weight < 400)
        return "Light";
    return font.Weight < 700 ? "DemiBold" : "Bold";
}

} // namespace

std::string BdfFontWriter::Quoted(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c != '\n' && c != '\r' ? c : ' ';
    }
    return quoted + '"';
}

namespace {

// The character DEFAULT_CHAR names, drawn for a code point the font lacks: the replacement
// character, a white square, a question mark, a space, an ideographic space, in that order of
// preference, or else the first glyph.
char32_t DefaultCharacter(const std::vector<char32_t> &codePoints)
{
    for (const char32_t preferred : {U'\uFFFD', U'\u25A1', U'?', U' ', U'\u3000'})
        if (std::binary_search(codePoints.begin(), codePoints.end(), preferred))
            return preferred;
    return codePoints.empty() ? U' ' : codePoints.front();
}

void AppendNumber(std::string &out, long long value)
{
    out += std::to_string(value);
}

// "C" (character cell) when every glyph advances by the cell and its ink lies inside it, "P"
// (proportional) otherwise.
const char *Spacing(const ExportFontMetrics &metrics)
{
    return metrics.AdvanceBy == AdvanceMode::Cell ? "C" : "P";
}

} // namespace

std::string BdfFontWriter::XlfdName(const FontFileInfo &info)
{
    const ExportFontMetrics &m = info.Metrics;
    std::string family = m.Family.toStdString();
    for (char &c : family)
        if (c == ' ' || c == '-' || c == '*' || c == '?' || c == ',' || c == '"' || (c >= 0 && c < ' '))
            c = '_';
    const int dpi = Resolution(m);
    const std::string cell = std::to_string(m.CellWidth) + "x" + std::to_string(m.CellHeight);
    return "-Dotrix-" + family + "-" + WeightName(info.Settings.GlyphFont) + "-"
           + (info.Settings.GlyphFont.Italic ? "I" : "R") + "-Normal-" + cell + "-" + std::to_string(m.PixelSize)
           + "-" + std::to_string(m.DeciPoints) + "-" + std::to_string(dpi) + "-" + std::to_string(dpi) + "-" + Spacing(m) + "-"
           + std::to_string(info.AverageAdvance10) + "-ISO10646-1";
}

bool BdfFontWriter::Begin(const FontFileInfo &info, Failure *failure)
{
    const ExportFontMetrics &m = info.Metrics;
    m_dpi = Resolution(m);
    m_deciPoints = m.DeciPoints;
    const int dpi = m_dpi;

    m_text = "STARTFONT 2.1\n";
    size_t start = 0;
    while (start < info.MadeWith.size()) {
        size_t end = info.MadeWith.find('\n', start);
        if (end == std::string::npos)
            end = info.MadeWith.size();
        m_text += "COMMENT " + info.MadeWith.substr(start, end - start) + "\n";
        start = end + 1;
    }
    if (!info.Placement.empty())
        m_text += "COMMENT " + info.Placement + "\n";
    m_text += "FONT " + XlfdName(info) + "\n";
    m_text += "SIZE " + std::to_string(m.PointSize) + " " + std::to_string(dpi) + " " + std::to_string(dpi) + "\n";
    // The cell in baseline coordinates, from the pen: every glyph's ink lies inside it.
    m_text += "FONTBOUNDINGBOX " + std::to_string(m.CellWidth) + " " + std::to_string(m.CellHeight) + " "
              + std::to_string(-m.PenX) + " " + std::to_string(-m.Descent) + "\n";

    std::vector<std::pair<std::string, std::string>> properties = {
        {"FOUNDRY", Quoted("Dotrix")},
        {"FAMILY_NAME", Quoted(m.Family.toStdString())},
        {"WEIGHT_NAME", Quoted(WeightName(info.Settings.GlyphFont))},
        {"SLANT", Quoted(info.Settings.GlyphFont.Italic ? "I" : "R")},
        {"SETWIDTH_NAME", Quoted("Normal")},
        {"ADD_STYLE_NAME", Quoted(std::to_string(m.CellWidth) + "x" + std::to_string(m.CellHeight))},
        {"PIXEL_SIZE", std::to_string(m.PixelSize)},
        {"POINT_SIZE", std::to_string(m.DeciPoints)},
        {"RESOLUTION_X", std::to_string(dpi)},
        {"RESOLUTION_Y", std::to_string(dpi)},
        // Every glyph's ink lies inside the cell; "C" when every advance is the cell width too.
        {"SPACING", Quoted(Spacing(m))},
        {"AVERAGE_WIDTH", std::to_string(info.AverageAdvance10)},
        {"CHARSET_REGISTRY", Quoted("ISO10646")},
        {"CHARSET_ENCODING", Quoted("1")},
        {"FONT_ASCENT", std::to_string(m.Baseline)},
        {"FONT_DESCENT", std::to_string(m.Descent)},
        {"UNDERLINE_POSITION", std::to_string(m.UnderlinePosition)}, // below the baseline
        {"UNDERLINE_THICKNESS", std::to_string(m.UnderlineThickness)},
        {"DEFAULT_CHAR", std::to_string(uint32_t(DefaultCharacter(info.CodePoints)))},
    };
    properties.insert(properties.end(), info.BdfProperties.begin(), info.BdfProperties.end());
    m_text += "STARTPROPERTIES " + std::to_string(properties.size()) + "\n";
    for (const auto &[name, value] : properties)
        m_text += name + " " + value + "\n";
    m_text += "ENDPROPERTIES\n";
    m_text += "CHARS " + std::to_string(info.CodePoints.size()) + "\n";
    return Drain(failure);
}

bool BdfFontWriter::AddGlyph(const ExportGlyph &glyph, Failure *failure)
{
    char name[16];
    std::snprintf(name, sizeof name, glyph.CodePoint > 0xFFFF ? "u%04X" : "uni%04X", unsigned(glyph.CodePoint));
    m_text += "STARTCHAR ";
    m_text += name;
    m_text += "\nENCODING ";
    AppendNumber(m_text, glyph.CodePoint);
    m_text += "\nSWIDTH ";
    // The advance in thousandths of the point size.
    AppendNumber(m_text, m_deciPoints > 0 ? (glyph.Advance * 720000LL + m_deciPoints * m_dpi / 2) / (m_deciPoints * m_dpi) : 0);
    m_text += " 0\nDWIDTH ";
    AppendNumber(m_text, glyph.Advance);
    m_text += " 0\nBBX ";
    AppendNumber(m_text, glyph.BoxWidth);
    m_text += ' ';
    AppendNumber(m_text, glyph.BoxHeight);
    m_text += ' ';
    AppendNumber(m_text, glyph.OffsetX);
    m_text += ' ';
    AppendNumber(m_text, glyph.OffsetY);
    m_text += "\nBITMAP\n";
    // The box's rows from the top, each as whole bytes of hex, the leftmost dot in the top bit.
    const size_t rowBytes = (size_t(glyph.BoxWidth) + 7) / 8;
    for (int y = glyph.BoxTop; y < glyph.BoxTop + glyph.BoxHeight; ++y) {
        for (size_t b = 0; b < rowBytes; ++b) {
            unsigned byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = glyph.BoxLeft + int(b) * 8 + bit;
                if (x < glyph.BoxLeft + glyph.BoxWidth && glyph.Level(x, y) != 0)
                    byte |= 0x80u >> bit;
            }
            m_text += HexDigits[byte >> 4];
            m_text += HexDigits[byte & 0xF];
        }
        m_text += '\n';
    }
    m_text += "ENDCHAR\n";
    m_limits.Check(glyph);
    return Drain(failure);
}

bool BdfFontWriter::Finish(Failure *failure)
{
    m_text += "ENDFONT\n";
    return Drain(failure, true);
}
