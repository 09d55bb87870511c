// BDF fonts checked by the readers that use them: FreeType's BDF driver, bdftopcf (and FreeType
// on its PCF), and u8g2 drawing UTF-8 text with the font bdfconv makes of it; a whole GB2312 set
// with ASCII and the euro sign, dot for dot against the glyphs Dotrix drew.

#include "charset/charsetfile.h"
#include "common/testutil.h"
#include "consumers.h"
#include "export/bdffontwriter.h"
#include "export/fontexport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using consumers::DotRows;
using testutil::Gbk;

namespace {

// The glyphs of an export, as Dotrix drew them, and the font file written from them.
struct ExportedFont
{
    FontExportResult Result;
    ExportFontMetrics Metrics;
    std::map<char32_t, DotRows> Cells; // every glyph's whole cell
    std::map<char32_t, int> Advances;  // and its advance
};

DotRows CellRows(const ExportGlyph &glyph)
{
    DotRows rows(size_t(glyph.CellHeight), std::string(size_t(glyph.CellWidth), '.'));
    for (int y = 0; y < glyph.CellHeight; ++y)
        for (int x = 0; x < glyph.CellWidth; ++x)
            if (glyph.Level(x, y) != 0)
                rows[size_t(y)][size_t(x)] = '#';
    return rows;
}

ExportedFont ExportBdf(const std::string &list, const GlyphSettings &settings, const QString &path,
                       AdvanceMode advance = AdvanceMode::Font)
{
    ExportedFont font;
    const std::vector<CodePointChar> characters = MapToCodePoints(list).Characters;
    JobControl drawing;
    DrawExportGlyphs(characters, settings, 1, advance, drawing, [&](const ExportGlyph &glyph, Failure *) {
        font.Cells[glyph.CodePoint] = CellRows(glyph);
        font.Advances[glyph.CodePoint] = glyph.Advance;
        return true;
    });
    font.Metrics = MeasureExportFont(settings, 1, advance);
    FontExportRequest request;
    request.Format = ExportFormat::Bdf;
    request.Advance = advance;
    request.OutPath = path;
    request.MadeWith = "made by the BDF tests";
    JobControl control;
    font.Result = ExportFont(characters, settings, request, control);
    return font;
}

// The whole GB2312 set, printable ASCII and the euro sign.
std::string Gb2312WithAscii()
{
    const CharsetImport gb2312 = LoadCharset(CharacterSet::GB2312, QString());
    EXPECT_TRUE(gb2312.Ok) << testutil::Describe(gb2312.Error);
    std::string list = gb2312.Text;
    for (char c = ' '; c <= '~'; ++c)
        list += c;
    return list + "\x80";
}

// Every glyph of the font as FreeType reads the file, placed in its cell, against Dotrix's.
void ExpectFreeTypeReadsEveryGlyph(const QString &path, const ExportedFont &font)
{
    const consumers::FreeTypeFont ft(path);
    ASSERT_TRUE(ft.Ok()) << ft.Error();
    EXPECT_GE(ft.GlyphCount(), long(font.Cells.size()));
    int wrong = 0;
    for (const auto &[codePoint, cell] : font.Cells) {
        const consumers::FreeTypeGlyph glyph = ft.Glyph(codePoint);
        const DotRows placed = consumers::PlaceInCell(glyph, font.Metrics.CellWidth, font.Metrics.CellHeight,
                                                      font.Metrics.Baseline, font.Metrics.PenX);
        if (!glyph.Found || glyph.Advance != font.Advances.at(codePoint) || placed != cell) {
            ADD_FAILURE() << "U+" << std::hex << uint32_t(codePoint) << std::dec << (glyph.Found ? "" : " missing")
                          << ", advance " << glyph.Advance;
            if (++wrong == 5)
                return;
        }
    }
}

// A line of text set as the font sets it: each glyph's ink with its cell's left edge at the pen
// less the pen's column, the pen then moved by the glyph's advance.
DotRows SetLine(const ExportedFont &font, const std::u32string &line, int width)
{
    DotRows rows(size_t(font.Metrics.CellHeight), std::string(size_t(width), '.'));
    int pen = 0;
    for (const char32_t codePoint : line) {
        const DotRows &cell = font.Cells.at(codePoint);
        for (size_t y = 0; y < cell.size(); ++y)
            for (size_t x = 0; x < cell[y].size(); ++x) {
                const int column = pen - font.Metrics.PenX + int(x);
                if (cell[y][x] == '#' && column >= 0 && column < width)
                    rows[y][size_t(column)] = '#';
            }
        pen += font.Advances.at(codePoint);
    }
    return rows;
}

// Drawings (one below the other) as the pixels of a small blue OLED display, four times enlarged.
QImage DisplayPicture(const std::vector<DotRows> &drawings)
{
    constexpr int Scale = 4, Margin = 2;
    int columns = 0, rows = 0;
    for (const DotRows &drawing : drawings) {
        for (const std::string &row : drawing)
            columns = std::max(columns, int(row.find_last_of('#') + 1));
        rows += int(drawing.size());
    }
    QImage image((columns + 2 * Margin) * Scale, (rows + 2 * Margin) * Scale, QImage::Format_RGB32);
    image.fill(QColor(12, 14, 22));
    QPainter painter(&image);
    int top = Margin;
    for (const DotRows &drawing : drawings) {
        for (const std::string &row : drawing) {
            for (int x = 0; x < columns && x < int(row.size()); ++x)
                painter.fillRect((Margin + x) * Scale, top * Scale, Scale - 1, Scale - 1,
                                 row[size_t(x)] == '#' ? QColor(120, 200, 255) : QColor(24, 30, 44));
            ++top;
        }
    }
    return image;
}

} // namespace

TEST(BdfFont, WholeGb2312SetReadsBackInFreeTypeAndThroughBdftopcfDotForDot)
{
    QTemporaryDir dir;
    const QString bdf = dir.filePath("gb2312.bdf");
    const ExportedFont font = ExportBdf(Gb2312WithAscii(), GlyphSettings(), bdf);
    ASSERT_EQ(font.Result.State, FontExportResult::Done) << testutil::Describe(font.Result.Error);
    ASSERT_EQ(font.Result.Glyphs, 7445 + 95 + 1);
    ASSERT_EQ(font.Cells.size(), 7445u + 95 + 1);
    EXPECT_TRUE(font.Cells.at(U' ') == DotRows(16, std::string(16, '.')));

    {
        SCOPED_TRACE("FreeType on the BDF");
        ExpectFreeTypeReadsEveryGlyph(bdf, font);
        const consumers::FreeTypeFont ft(bdf);
        EXPECT_EQ(ft.Property("FONT_ASCENT"), std::to_string(font.Metrics.Baseline));
        EXPECT_EQ(ft.Property("FONT_DESCENT"), std::to_string(font.Metrics.Descent));
        EXPECT_EQ(ft.Property("SPACING"), "P");
        EXPECT_EQ(ft.Property("CHARSET_REGISTRY"), "ISO10646");
        // The default character is a glyph of the font: the white square of GB2312.
        EXPECT_EQ(ft.Property("DEFAULT_CHAR"), std::to_string(0x25A1));
    }
    const QString bdftopcf = consumers::BdfToPcfPath();
    if (bdftopcf.isEmpty())
        GTEST_SKIP() << "bdftopcf (Debian xfonts-utils) is not installed: the PCF half is skipped";
    const QString pcf = dir.filePath("gb2312.pcf");
    const consumers::ProgramRun converted = consumers::Run(bdftopcf, {"-o", pcf, bdf});
    EXPECT_EQ(converted.ExitCode, 0);
    EXPECT_EQ(converted.Err, ""); // not one warning
    EXPECT_EQ(converted.Out, "");
    SCOPED_TRACE("FreeType on bdftopcf's PCF");
    ExpectFreeTypeReadsEveryGlyph(pcf, font);
}

TEST(BdfFont, U8g2DrawsUtf8TextWithTheConvertedFontAsDotrixDrewIt)
{
    const QString u8g2 = consumers::U8g2Dir();
    if (u8g2.isEmpty())
        GTEST_SKIP() << "u8g2 was not found (DOTRIX_THIRD_PARTY_DIR/u8g2-2.37): the u8g2 test is skipped";
    QTemporaryDir dir;
    const QString bdf = dir.filePath("gb2312.bdf");
    const ExportedFont font = ExportBdf(Gb2312WithAscii(), GlyphSettings(), bdf);
    ASSERT_EQ(font.Result.State, FontExportResult::Done) << testutil::Describe(font.Result.Error);
    const consumers::U8g2Drawer drawer = consumers::BuildU8g2Drawer(bdf, dir.path());
    ASSERT_EQ(drawer.Error, "");

    // Two mixed lines, then the whole font 64 glyphs a line, in code-point order.
    std::vector<std::u32string> lines = {U"中文 Ab€，汉字g!", U"Dotrix→u8g2：点阵字库"};
    const size_t samples = lines.size();
    for (const auto &[codePoint, cell] : font.Cells) {
        if (lines.size() == samples || lines.back().size() == 64)
            lines.emplace_back();
        lines.back().push_back(codePoint);
    }
    std::vector<std::string> text;
    for (const std::u32string &line : lines)
        text.push_back(QString::fromUcs4(line.data(), qsizetype(line.size())).toStdString());
    const int width = 64 * font.Metrics.CellWidth, height = font.Metrics.CellHeight;
    std::string error;
    const std::vector<DotRows> drawings = consumers::DrawWithU8g2(drawer, width, height, font.Metrics.Baseline, text, &error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(drawings.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        ASSERT_TRUE(drawings[i] == SetLine(font, lines[i], width)) << "line " << i << ": " << text[i];
    // DOTRIX_U8G2_PICTURE=docs/u8g2-font.png also writes the two mixed lines as u8g2 drew them,
    // as a monochrome display shows them, for the README.
    const QString picture = qEnvironmentVariable("DOTRIX_U8G2_PICTURE");
    if (!picture.isEmpty()) {
        EXPECT_TRUE(DisplayPicture({drawings.begin(), drawings.begin() + ptrdiff_t(samples)}).save(picture))
            << picture.toStdString();
    }
}

TEST(BdfFont, HeaderAndGlyphsOfAUnifontFontAreExactlyTheGoldenFile)
{
    // Unifont draws on an exact 16-pixel grid: A (half width), 中, the euro sign (one byte 0x80
    // in code page 936), a space (no ink, the cell's advance) and A again (a repeat, left out),
    // in a larger cell at an offset that moves the ink and the baseline.
    GlyphSettings settings;
    settings.GlyphFont.Face = "Unifont";
    settings.Width = 18;
    settings.Height = 17;
    settings.OffsetX = 1;
    settings.OffsetY = 1;
    QTemporaryDir dir;
    const QString path = dir.filePath("unifont.bdf");
    const ExportedFont font = ExportBdf("A" + Gbk("中") + "\x80 A", settings, path, AdvanceMode::Cell);
    ASSERT_EQ(font.Result.State, FontExportResult::Done) << testutil::Describe(font.Result.Error);
    EXPECT_EQ(font.Result.Glyphs, 4);
    EXPECT_TRUE(testutil::MatchesGolden(testutil::ReadFileBytes(path), "unifont-a-zhong-euro-space.bdf"));
    // With the font's own advances: A, the euro sign and the space 8 pixels, 中 16, every box
    // placed from the pen one column into the cell; a proportional font.
    ASSERT_EQ(ExportBdf("A" + Gbk("中") + "\x80 A", settings, path).Result.State, FontExportResult::Done);
    EXPECT_TRUE(testutil::MatchesGolden(testutil::ReadFileBytes(path), "unifont-a-zhong-euro-space-advances.bdf"));

    // The family's spaces, hyphens and XLFD's reserved characters become _.
    FontFileInfo info;
    info.Metrics = font.Metrics;
    info.Metrics.Family = "Noto Sans-CJK \"SC\", *?";
    info.Settings.GlyphFont.Weight = 700;
    info.Settings.GlyphFont.Italic = true;
    info.AverageAdvance10 = 180;
    EXPECT_EQ(BdfFontWriter::XlfdName(info), "-Dotrix-Noto_Sans_CJK__SC_____-Bold-I-Normal-18x17-16-120-96-96-C-180-ISO10646-1");
}

TEST(BdfFont, AFontItsReadersCannotTakeIsWrittenWithANoteSayingWhich)
{
    // 中 and A drawn ever larger: bdfconv codes a glyph in at most 254 bytes, which 中 passes
    // between 124 and 128 pixels; FreeType reads at most 65535 bytes of a glyph's bitmap.
    const struct {
        int side;
        int points;
        const char *note; // what the note starts with; empty: no note
    } cases[] = {
        {124, 93, ""},
        {128, 96, "u8g2's bdfconv refuses it: U+4E2D takes at least "},
        {1024, 720, "FreeType refuses the font: the bitmap of U+4E2D ("},
    };
    const bool haveBdfconv = !consumers::U8g2Dir().isEmpty();
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString bdf = dir.filePath("big.bdf");
        GlyphSettings settings;
        settings.Width = settings.Height = c.side;
        settings.GlyphFont.PointSize = c.points;
        const ExportedFont font = ExportBdf(testutil::Gbk("中A"), settings, bdf);
        ASSERT_EQ(font.Result.State, FontExportResult::Done) << testutil::Describe(font.Result.Error);
        const std::string note = font.Result.Note.toStdString();
        EXPECT_EQ(note.substr(0, std::strlen(c.note)), c.note) << c.side << ": " << note;
        EXPECT_EQ(note.empty(), *c.note == '\0') << c.side << ": " << note;
        EXPECT_EQ(consumers::FreeTypeFont(bdf).Ok(), note.find("FreeType") == std::string::npos) << c.side;
        if (haveBdfconv && c.side < 1024) { // the largest overruns bdfconv's memory
            const consumers::ProgramRun converted = consumers::Run(
                QStringLiteral(DOTRIX_BDFCONV), {"-f", "1", "-m", "32-65535", bdf, "-o", dir.filePath("u8g2.c"), "-n", "big"});
            EXPECT_EQ(converted.ExitCode == 0, note.find("bdfconv") == std::string::npos) << c.side << converted.Out;
        }
    }
}
