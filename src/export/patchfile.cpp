#include "patchfile.h"

#include "bdffontwriter.h"
#include "exportrun.h"
#include "output/atomicfile.h"

#include <QDir>
#include <QFile>

#include <charconv>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Bytes of a patch file read at most: a patch of every GBK character at 64 x 64 takes about 20 MB.
constexpr qint64 MostPatchBytes = 256LL << 20;
// A glyph's box in the file is never larger than the largest cell.
constexpr long long MostBoxSide = MaxGlyphSide;
// The offsets a glyph may be fixed at (they are clamped there when drawn). The baseline, the pen
// and every glyph's box in the file move with them, so their offsets may lie as far out.
constexpr long long FarOffset = 1'000'000;
constexpr long long MostBoxOffset = 2 * FarOffset + 4 * MostBoxSide;

// The file's lines, one at a time, without their line ends, with their numbers for failures.
class LineReader
{
public:
    explicit LineReader(const QByteArray &bytes) : m_text(bytes.constData(), size_t(bytes.size())) {}

    // The next line that is neither blank nor a comment; false at the end of the file.
    bool Next(std::string_view &line)
    {
        while (m_pos < m_text.size()) {
            size_t end = m_text.find('\n', m_pos);
            if (end == std::string_view::npos)
                end = m_text.size();
            line = m_text.substr(m_pos, end - m_pos);
            m_ended = end < m_text.size();
            m_pos = end + 1;
            ++m_number;
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
                line.remove_suffix(1);
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
                line.remove_prefix(1);
            if (!line.empty() && !StartsWord(line, "COMMENT"))
                return true;
        }
        return false;
    }
    int Number() const { return m_number; }
    // Whether the line read last had its line end: the last line of a file cut short has none.
    bool Ended() const { return m_ended; }

    static bool StartsWord(std::string_view line, std::string_view word)
    {
        return line.substr(0, word.size()) == word
               && (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    int m_number = 0;
    bool m_ended = true;
};

// The whitespace-separated words of a line.
std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        if (end > pos)
            words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::optional<long long> Number(std::string_view word)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size())
        return std::nullopt;
    return value;
}

// A hexadecimal digit's value; -1 for any other character.
int HexValue(char c)
{
    int value = 0;
    return std::from_chars(&c, &c + 1, value, 16).ec == std::errc() ? value : -1;
}

// A property's value: a quoted string (a doubled quote inside is one quote), or the rest of the
// line as it stands.
std::string PropertyValue(std::string_view rest)
{
    if (rest.empty() || rest.front() != '"')
        return std::string(rest);
    std::string value;
    for (size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] == '"') {
            if (i + 1 < rest.size() && rest[i + 1] == '"') {
                value += '"';
                ++i;
                continue;
            }
            break;
        }
        value += rest[i];
    }
    return value;
}

class PatchParser
{
public:
    PatchParser(const QByteArray &bytes, const QString &path) : m_lines(bytes), m_path(path) {}

    bool Parse(GlyphPatch &patch, Failure *failure)
    {
        m_patch.Path = m_path;
        if (!Header() || !Properties() || !Glyphs())
            return Report(failure, m_failure);
        patch = std::move(m_patch);
        return true;
    }

private:
    bool CutShort()
    {
        m_failure = {FailureCode::PatchCutShort, m_path, {}, {}};
        return false;
    }
    bool BadLine()
    {
        // A file cut in the middle of a line ends on a part of one.
        if (!m_lines.Ended())
            return CutShort();
        m_failure = {FailureCode::PatchBadLine, m_path, {}, {QString::number(m_lines.Number())}};
        return false;
    }
    // The next line, which must start with keyword; its words after the keyword.
    bool Expect(std::string_view keyword, std::vector<std::string_view> &words)
    {
        std::string_view line;
        if (!m_lines.Next(line))
            return CutShort();
        if (!LineReader::StartsWord(line, keyword))
            return BadLine();
        words = Words(line);
        words.erase(words.begin());
        return true;
    }

    // STARTFONT to STARTPROPERTIES, keeping the bounding box's x offset (the pen's column).
    bool Header()
    {
        std::vector<std::string_view> words;
        if (!Expect("STARTFONT", words))
            return false;
        std::string_view line;
        for (;;) {
            if (!m_lines.Next(line))
                return CutShort();
            if (LineReader::StartsWord(line, "STARTPROPERTIES"))
                return true;
            if (LineReader::StartsWord(line, "FONTBOUNDINGBOX")) {
                words = Words(line);
                const std::optional<long long> x = words.size() == 5 ? Number(words[3]) : std::nullopt;
                if (!x || *x < -MostBoxOffset || *x > MostBoxOffset)
                    return BadLine();
                m_penX = int(-*x);
            }
        }
    }

    // The properties up to ENDPROPERTIES, then the basis from them.
    bool Properties()
    {
        std::map<std::string, std::pair<std::string, int>, std::less<>> values; // value, line
        std::string_view line;
        for (;;) {
            if (!m_lines.Next(line))
                return CutShort();
            if (LineReader::StartsWord(line, "ENDPROPERTIES"))
                break;
            const size_t space = line.find_first_of(" \t");
            const std::string_view name = line.substr(0, space);
            std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
            while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
                rest.remove_prefix(1);
            values[std::string(name)] = {PropertyValue(rest), m_lines.Number()};
        }
        PatchBasis &basis = m_patch.Basis;
        const auto text = [&](const char *name, std::string &value) {
            const auto found = values.find(name);
            if (found == values.end()) {
                m_failure = {FailureCode::PatchNoProperty, m_path, {}, {QLatin1String(name)}};
                return false;
            }
            value = found->second.first;
            return true;
        };
        const auto badValue = [&](const char *name) {
            m_failure = {FailureCode::PatchBadLine, m_path, {}, {QString::number(values.find(name)->second.second)}};
            return false;
        };
        const auto number = [&](const char *name, long long least, long long most, int &value) {
            std::string word;
            if (!text(name, word))
                return false;
            const std::optional<long long> parsed = Number(word);
            if (!parsed || *parsed < least || *parsed > most)
                return badValue(name);
            value = int(*parsed);
            return true;
        };
        constexpr long long Far = FarOffset;
        std::string face, points, slant;
        if (!number("DOTRIX_CELL_WIDTH", 1, MaxGlyphSide, basis.Width)
            || !number("DOTRIX_CELL_HEIGHT", 1, MaxGlyphSide, basis.Height)
            || !number("DOTRIX_OFFSET_X", -Far, Far, basis.OffsetX)
            || !number("DOTRIX_OFFSET_Y", -Far, Far, basis.OffsetY) || !text("DOTRIX_FACE", face)
            || !text("DOTRIX_POINT_SIZE", points) || !number("DOTRIX_WEIGHT", 0, 1000, basis.Weight)
            || !number("PIXEL_SIZE", 0, Far, basis.PixelSize) || !number("FONT_ASCENT", -2 * Far, 2 * Far, m_ascent))
            return false;
        bool ok = false;
        basis.PointSize = QString::fromStdString(points).toDouble(&ok);
        if (!ok || !(basis.PointSize > 0 && basis.PointSize < 1e6))
            return badValue("DOTRIX_POINT_SIZE");
        basis.Face = QString::fromStdString(face);
        basis.Italic = text("SLANT", slant) && (slant == "I" || slant == "O");
        m_failure = {};
        return true;
    }

    // CHARS, then every glyph up to ENDFONT.
    bool Glyphs()
    {
        std::vector<std::string_view> words;
        if (!Expect("CHARS", words))
            return false;
        std::string_view line;
        for (;;) {
            if (!m_lines.Next(line))
                return CutShort();
            if (LineReader::StartsWord(line, "ENDFONT"))
                return true;
            if (!LineReader::StartsWord(line, "STARTCHAR"))
                return BadLine();
            if (!Glyph())
                return false;
        }
    }

    // One glyph after its STARTCHAR, up to its ENDCHAR.
    bool Glyph()
    {
        const PatchBasis &basis = m_patch.Basis;
        std::optional<long long> codePoint;
        std::optional<long long> box[4];
        std::string_view line;
        for (;;) {
            if (!m_lines.Next(line))
                return CutShort();
            if (LineReader::StartsWord(line, "BITMAP"))
                break;
            const std::vector<std::string_view> words = Words(line);
            if (words[0] == "ENCODING") {
                codePoint = words.size() >= 2 ? Number(words[1]) : std::nullopt;
                if (!codePoint || *codePoint <= 0 || *codePoint > 0x10FFFF)
                    return BadLine();
            } else if (words[0] == "BBX") {
                for (size_t i = 0; i < 4; ++i)
                    box[i] = words.size() == 5 ? Number(words[i + 1]) : std::nullopt;
                if (!box[0] || !box[1] || !box[2] || !box[3] || *box[0] < 0 || *box[1] < 0 || *box[0] > MostBoxSide
                    || *box[1] > MostBoxSide || std::abs(*box[2]) > MostBoxOffset || std::abs(*box[3]) > MostBoxOffset)
                    return BadLine();
            } else if (words[0] == "ENDCHAR") {
                return BadLine();
            }
        }
        if (!codePoint || !box[0])
            return BadLine();
        const int width = int(*box[0]), height = int(*box[1]);
        // The box's corner in the cell: the pen stands at column m_penX, the baseline m_ascent rows
        // below the cell's top, and the box's bottom edge box[3] rows above the baseline.
        const long long left = *box[2] + m_penX;
        const long long top = m_ascent - (*box[3] + height);
        GlyphPatch::Dots dots(size_t(basis.Width) * size_t(basis.Height), 0);
        const QString name = QStringLiteral("U+%1").arg(uint(*codePoint), 4, 16, QLatin1Char('0')).toUpper();
        const size_t rowDigits = (size_t(width) + 7) / 8 * 2;
        for (int y = 0; y < height; ++y) {
            if (!m_lines.Next(line))
                return CutShort();
            if (line.size() < rowDigits)
                return BadLine();
            for (int x = 0; x < width; ++x) {
                const int digit = HexValue(line[size_t(x / 4)]);
                if (digit < 0)
                    return BadLine();
                if (!(digit & (8 >> (x % 4))))
                    continue;
                const long long cx = left + x, cy = top + y;
                if (cx < 0 || cy < 0 || cx >= basis.Width || cy >= basis.Height) {
                    m_failure = {FailureCode::PatchGlyphOutside, m_path, {}, {name}};
                    return false;
                }
                dots[size_t(cy) * size_t(basis.Width) + size_t(cx)] = 1;
            }
            for (size_t i = size_t(width + 3) / 4; i < rowDigits; ++i)
                if (HexValue(line[i]) < 0)
                    return BadLine();
        }
        std::vector<std::string_view> words;
        if (!Expect("ENDCHAR", words))
            return false;
        m_patch.SetDots(char32_t(*codePoint), std::move(dots));
        return true;
    }

    LineReader m_lines;
    QString m_path;
    GlyphPatch m_patch;
    Failure m_failure;
    int m_penX = 0;
    int m_ascent = 0;
};

std::string Utf8(const QString &text)
{
    return text.toUtf8().toStdString();
}

} // namespace

QString PatchPathIn(const QString &workDir)
{
    return QDir(workDir).filePath(PatchFileName);
}

bool ParseGlyphPatch(const QByteArray &bytes, const QString &path, GlyphPatch &patch, Failure *failure)
{
    return PatchParser(bytes, path).Parse(patch, failure);
}

bool LoadGlyphPatch(const QString &path, GlyphPatch &patch, Failure *failure)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Report(failure, {FailureCode::OpenForReading, path, file.errorString(), {}});
    const QByteArray bytes = file.read(MostPatchBytes + 1);
    if (file.error() != QFile::NoError)
        return Report(failure, {FailureCode::Read, path, file.errorString(), {}});
    if (bytes.size() > MostPatchBytes)
        return Report(failure, {FailureCode::PatchBadLine, path, {}, {QStringLiteral("1")}});
    return ParseGlyphPatch(bytes, path, patch, failure);
}

bool SaveGlyphPatch(const GlyphPatch &patch, const QString &path, Failure *failure)
{
    const PatchBasis &basis = patch.Basis;
    // A patch never given a cell holds no fix: an earlier file stays as it was.
    if (patch.Empty() && (basis.Width < 1 || basis.Height < 1))
        return true;
    FontFileInfo info;
    info.Settings = basis.ToSettings();
    // Every glyph advances by the cell; the pen stands at the cell's left edge.
    info.Metrics = MeasureExportFont(info.Settings, 1, AdvanceMode::Cell);
    info.Metrics.PixelSize = basis.PixelSize;
    info.GlyphCount = patch.Size();
    for (const auto &[codePoint, dots] : patch.Glyphs()) {
        info.CodePoints.push_back(codePoint);
        info.Advances.push_back(basis.Width);
    }
    info.AverageAdvance10 = basis.Width * 10;
    info.MadeWith = "Glyphs fixed by hand in Dotrix, drawn in place of the font's.\n"
                    "The DOTRIX_ properties say what they were drawn with.";
    info.BdfProperties = {
        {"DOTRIX_CELL_WIDTH", std::to_string(basis.Width)},
        {"DOTRIX_CELL_HEIGHT", std::to_string(basis.Height)},
        {"DOTRIX_OFFSET_X", std::to_string(basis.OffsetX)},
        {"DOTRIX_OFFSET_Y", std::to_string(basis.OffsetY)},
        {"DOTRIX_FACE", BdfFontWriter::Quoted(Utf8(basis.Face))},
        {"DOTRIX_POINT_SIZE", BdfFontWriter::Quoted(Utf8(QString::number(basis.PointSize, 'g', 12)))},
        {"DOTRIX_WEIGHT", std::to_string(basis.Weight)},
    };

    AtomicFile file(path);
    BdfFontWriter writer(file);
    Failure error;
    bool ok = file.Open() && writer.Begin(info, &error);
    for (auto glyphs = patch.Glyphs().begin(); ok && glyphs != patch.Glyphs().end(); ++glyphs) {
        const auto &[codePoint, dots] = *glyphs;
        ExportGlyph glyph;
        glyph.CodePoint = codePoint;
        glyph.CellWidth = basis.Width;
        glyph.CellHeight = basis.Height;
        glyph.Levels = dots;
        glyph.Advance = basis.Width;
        glyph.Advance16 = basis.Width * 16;
        glyph.FindInkBox(info.Metrics.Baseline, info.Metrics.PenX);
        ok = writer.AddGlyph(glyph, &error);
    }
    if (ok && writer.Finish(&error) && file.Commit())
        return true;
    return Report(failure, error ? error : file.Error());
}
