#include "vlwfontwriter.h"

#include <QFileInfo>

#include <algorithm>
#include <cctype>

namespace {

constexpr uint32_t HeaderSize = 24;
constexpr uint32_t RecordSize = 28;
constexpr uint32_t EncoderVersion = 11; // what the format's own tools write; readers ignore it
constexpr size_t MostGlyphs = 65535;    // the readers count glyphs in 16 bits
constexpr char32_t LastCodePoint = 0xFFFF; // and keep code points in 16 bits
constexpr int MostWidth = 255;          // widths and advances in 8 bits
constexpr int LeastOffsetX = -128, MostOffsetX = 127;
constexpr uint64_t MostBytes = 0xFFFFFFFFu; // bitmap offsets in 32 bits
constexpr int ArrayBytesPerLine = 16;

void PutWord(std::string &out, uint32_t value)
{
    out += char(value >> 24);
    out += char((value >> 16) & 0xFF);
    out += char((value >> 8) & 0xFF);
    out += char(value & 0xFF);
}

// Whether the readers raise the line's ascent and descent to this glyph's: code points above
// U+00FF and printable ASCII, never the ideographic space.
bool SetsLine(char32_t codePoint)
{
    return codePoint != 0x3000 && (codePoint > 0xFF || (codePoint > 0x20 && codePoint < 0xA0 && codePoint != 0x7F));
}

// The space the readers draw: two sevenths of the header's font size or of its ascent and
// descent, whichever is larger.
uint32_t ReaderSpaceWidth(uint32_t size, uint32_t ascent, uint32_t descent)
{
    return std::max(size, ascent + descent) * 2 / 7;
}

Failure FieldFailure(char32_t codePoint, const char *field, long long value, long long least, long long most)
{
    return {FailureCode::VlwGlyphField,
            {},
            {},
            {CodePointName(codePoint), QLatin1String(field), QString::number(value), QString::number(least),
             QString::number(most)}};
}

} // namespace

QStringList VlwArrayPaths(const QString &fontPath)
{
    const QFileInfo file(fontPath);
    if (fontPath == StandardOutputPath || file.fileName().isEmpty())
        return {};
    const QString suffix = file.suffix();
    if (suffix == QLatin1String("c") || suffix == QLatin1String("h"))
        return {};
    const QString stem = suffix.isEmpty() ? fontPath : fontPath.chopped(suffix.size() + 1);
    return {stem + QStringLiteral(".c"), stem + QStringLiteral(".h")};
}

bool VlwFontWriter::Begin(const FontFileInfo &info, Failure *failure)
{
    m_info = info;
    const ExportFontMetrics &m = info.Metrics;
    if (info.GlyphCount > MostGlyphs)
        return Report(failure, {FailureCode::VlwTooLarge, {}, {}, {QString::number(info.GlyphCount), {}}});
    if (!info.CodePoints.empty() && info.CodePoints.back() > LastCodePoint)
        for (char32_t codePoint : info.CodePoints)
            if (codePoint > LastCodePoint)
                return Report(failure, FieldFailure(codePoint, "codepoint", codePoint, 0, LastCodePoint));
    // The readers place the baseline maxAscent rows below the line's top and make the line
    // maxAscent + maxDescent high; both start at the header's ascent and descent as magnitudes.
    if (m.Baseline < 0 || m.Descent < 0)
        return Report(failure, {FailureCode::VlwBaseline, {}, {}, {QString::number(m.Baseline), QString::number(m.LineHeight)}});
    m_ascent = uint32_t(m.Baseline);
    m_descent = uint32_t(m.Descent);
    m_size = uint32_t(m.PixelSize);
    // The readers draw a space with a width of their own making (ReaderSpaceWidth), not the space's
    // advance: the header's font size is chosen to make it the space's advance. When the line is
    // too high for so narrow a space, the header's ascent and descent are lowered until their sum
    // is no more than that size, and one glyph that the readers measure the line by carries the
    // line instead: its box runs from the line's top to its bottom (blank rows cost its width
    // each).
    const auto space = std::find(info.CodePoints.begin(), info.CodePoints.end(), U' ');
    if (space != info.CodePoints.end()) {
        const uint32_t width = uint32_t(std::max(0, info.Advances[size_t(space - info.CodePoints.begin())]));
        m_size = (7 * width + 1) / 2; // the least size whose two sevenths are width
        if (ReaderSpaceWidth(m_size, m_ascent, m_descent) != width) {
            const auto carrier = std::find_if(info.CodePoints.begin(), info.CodePoints.end(), SetsLine);
            if (carrier == info.CodePoints.end())
                return Report(failure, {FailureCode::VlwSpaceWidth, {}, {},
                                        {QString::number(width), QString::number(ReaderSpaceWidth(0, m_ascent, m_descent))}});
            m_carrier = size_t(carrier - info.CodePoints.begin());
            m_ascent = std::min(m_ascent, m_size);
            m_descent = std::min(m_descent, m_size - m_ascent);
        }
    }
    m_records.reserve(info.GlyphCount * RecordSize);
    return true;
}

bool VlwFontWriter::AddGlyph(const ExportGlyph &glyph, Failure *failure)
{
    const ExportFontMetrics &m = m_info.Metrics;
    if (glyph.BoxWidth > MostWidth)
        return Report(failure, FieldFailure(glyph.CodePoint, "width", glyph.BoxWidth, 0, MostWidth));
    if (glyph.Advance > MostWidth)
        return Report(failure, FieldFailure(glyph.CodePoint, "advance", glyph.Advance, 0, MostWidth));
    if (glyph.OffsetX < LeastOffsetX || glyph.OffsetX > MostOffsetX)
        return Report(failure, FieldFailure(glyph.CodePoint, "xoffset", glyph.OffsetX, LeastOffsetX, MostOffsetX));
    // The box stored: the ink's, or for the carrier the ink's columns over the whole line.
    const bool carrier = m_next++ == m_carrier;
    const int top = carrier ? 0 : glyph.BoxTop;
    const int height = carrier ? m.LineHeight : glyph.BoxHeight;
    const int width = glyph.BoxWidth;
    const uint64_t bytes = HeaderSize + uint64_t(m_info.GlyphCount) * RecordSize + m_bitmaps.size()
                           + uint64_t(width) * uint64_t(height);
    if (bytes > MostBytes)
        return Report(failure, {FailureCode::VlwTooLarge, {}, {}, {QString::number(m_info.GlyphCount), QString::number(bytes)}});
    const int dY = glyph.Empty() && !carrier ? 0 : m.Baseline - top;
    PutWord(m_records, uint32_t(glyph.CodePoint));
    PutWord(m_records, uint32_t(height));
    PutWord(m_records, uint32_t(width));
    PutWord(m_records, uint32_t(glyph.Advance));
    PutWord(m_records, uint32_t(dY));
    PutWord(m_records, uint32_t(glyph.OffsetX));
    PutWord(m_records, 0);
    for (int y = top; y < top + height; ++y)
        for (int x = glyph.BoxLeft; x < glyph.BoxLeft + width; ++x)
            m_bitmaps += char(glyph.Level(x, y));
    return true;
}

bool VlwFontWriter::Finish(Failure *failure)
{
    std::string head;
    PutWord(head, uint32_t(m_info.GlyphCount));
    PutWord(head, EncoderVersion);
    PutWord(head, m_size);
    PutWord(head, 0);
    PutWord(head, m_ascent);
    PutWord(head, m_descent);
    m_text = head + m_records + m_bitmaps;
    m_records.clear();
    m_bitmaps.clear();
    m_records.shrink_to_fit();
    m_bitmaps.shrink_to_fit();
    if (m_array && !WriteArray(m_text, failure))
        return false;
    return Drain(failure, true);
}

bool VlwFontWriter::WriteArray(const std::string &bytes, Failure *failure)
{
    const ExportFontMetrics &m = m_info.Metrics;
    const std::string name = m_array->Name.toStdString();
    const std::string size = std::to_string(bytes.size());
    const std::string headerName = QFileInfo(m_array->Header->Path()).fileName().toStdString();
    std::string guard = name + "_VLW_H";
    std::transform(guard.begin(), guard.end(), guard.begin(), [](char c) { return char(std::toupper(uint8_t(c))); });
    std::string about = "/* " + name + ": a smooth font (.vlw) of " + size + " bytes, made by Dotrix " DOTRIX_VERSION "\n"
                        " * Face: " + CommentSafe(m.Family.toStdString()) + ", " + std::to_string(m.PixelSize)
                        + " px; line " + std::to_string(m.LineHeight) + " px, baseline " + std::to_string(m.Baseline)
                        + " px below its top; " + std::to_string(m_info.GlyphCount) + " glyphs\n";
    if (!m_info.MadeWith.empty()) {
        about += " * Made with:\n";
        for (size_t start = 0, end; start <= m_info.MadeWith.size(); start = end + 1) {
            end = std::min(m_info.MadeWith.find('\n', start), m_info.MadeWith.size());
            about += " *   " + CommentSafe(m_info.MadeWith.substr(start, end - start)) + "\n";
        }
    }
    about += " * Use: loadFont(" + name + ") in TFT_eSPI, LovyanGFX or M5GFX\n */\n";

    const std::string header = about + "#ifndef " + guard + "\n#define " + guard + "\n\n#include <stdint.h>\n\n"
                               "#ifdef __cplusplus\nextern \"C\" {\n#endif\n\nextern const uint8_t " + name + "["
                               + size + "];\n\n#ifdef __cplusplus\n}\n#endif\n\n#endif\n";
    std::string source = about + "#include \"" + headerName + "\"\n\nconst uint8_t " + name + "[" + size + "] = {\n";
    source.reserve(source.size() + bytes.size() * 5 + bytes.size() / ArrayBytesPerLine * 6 + 8);
    for (size_t i = 0; i < bytes.size(); ++i) {
        source += i % ArrayBytesPerLine == 0 ? "    " : " ";
        source += CHexByte(uint8_t(bytes[i]));
        if (i % ArrayBytesPerLine == ArrayBytesPerLine - 1 || i + 1 == bytes.size())
            source += '\n';
    }
    source += "};\n";
    if (!m_array->Header->Write(header))
        return Report(failure, m_array->Header->Error());
    if (!m_array->Source->Write(source))
        return Report(failure, m_array->Source->Error());
    return true;
}
