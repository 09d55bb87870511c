// LVGL fonts written by dotrix-cli, read back by LVGL 9.5.0: every glyph's box, offsets, advance
// and coverage as LVGL's font API decodes them against the glyph Dotrix draws (a whole GB2312
// set at 1 bpp, a sample at 1, 2, 4 and 8 bpp, both compressed at 2 and 4 bpp), every code
// point's presence, text drawn by LVGL's own label drawing, and the large font format LVGL needs
// for big glyphs.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "cli/cliargs.h"
#include "common/testutil.h"
#include "export/fontexport.h"
#include "export/lvglcompress.h"
#include "export/patchfile.h"
#include "freetypeadvance.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "lvgl.h"

#include <map>
#include <random>
#include <set>

extern "C" {
LV_FONT_DECLARE(dotrix_gb2312_1bpp)
LV_FONT_DECLARE(dotrix_sample_1bpp)
LV_FONT_DECLARE(dotrix_sample_2bpp)
LV_FONT_DECLARE(dotrix_sample_4bpp)
LV_FONT_DECLARE(dotrix_sample_8bpp)
LV_FONT_DECLARE(dotrix_sample_1bpp_unpatched)
LV_FONT_DECLARE(dotrix_sample_1bpp_patched)
LV_FONT_DECLARE(dotrix_wqy_line_4bpp)
LV_FONT_DECLARE(dotrix_wqy_grid_4bpp)
LV_FONT_DECLARE(dotrix_dejavu_kerned_4bpp)
LV_FONT_DECLARE(dotrix_dejavu_plain_4bpp)
LV_FONT_DECLARE(dotrix_gb2312_2bpp_compressed)
LV_FONT_DECLARE(dotrix_gb2312_4bpp_compressed)
LV_FONT_DECLARE(dotrix_sample_2bpp_compressed)
LV_FONT_DECLARE(dotrix_sample_4bpp_compressed)
}

namespace {

// The words of a command line quoted the way the font's header quotes it (POSIX single quotes).
std::vector<std::string> ShellWords(const std::string &line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (quoted) {
            if (c == '\'')
                quoted = false;
            else
                word += c;
        } else if (c == '\'') {
            quoted = inWord = true;
        } else if (c == '\\') {
            continue; // only ever before a quote: '\''
        } else if (c == ' ') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// A test font as its header says it was made: the options of the recorded command and the list.
struct FontSource
{
    CliOptions Options;
    std::string List; // code page 936
};

FontSource ReadFontSource(const char *name)
{
    FontSource source;
    QFile file(QStringLiteral(DOTRIX_LVGL_FONT_DIR "/%1.c").arg(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    std::string command, placement;
    while (!file.atEnd() && command.empty()) {
        const std::string line = file.readLine().toStdString();
        if (line.rfind(" *   dotrix-cli ", 0) == 0)
            command = line.substr(5, line.size() - 6);
        // An offset the export chose from the ink; the command chooses it again.
        if (line.rfind(" * Placement: offset ", 0) == 0)
            placement = line.substr(21);
    }
    std::vector<std::string> words = ShellWords(command);
    EXPECT_GT(words.size(), 2u) << name << ": no command line in the header";
    words.erase(words.begin());
    const CliParseResult parsed = ParseCliArgs(words);
    EXPECT_TRUE(parsed.Ok) << parsed.Error;
    source.Options = parsed.Options;
    if (!placement.empty()) {
        const size_t comma = placement.find(',');
        source.Options.Settings.OffsetX = std::stoi(placement.substr(0, comma));
        source.Options.Settings.OffsetY = std::stoi(placement.substr(comma + 1));
    }
    EXPECT_EQ(source.Options.FontName.toStdString(), name);
    if (source.Options.Charset) {
        source.List = LoadCharset(*source.Options.Charset, QString()).Text;
    } else if (!source.Options.ListFile.isEmpty()) {
        EXPECT_EQ(source.Options.ListFile, "sample.txt");
        source.List = Utf8ToCp936(testutil::ReadFileBytes(DOTRIX_LVGL_SAMPLE));
    } else {
        source.List = Utf8ToCp936(source.Options.Text);
    }
    return source;
}

// Every glyph Dotrix draws for the font's list, by code point.
std::map<char32_t, ExportGlyph> DotrixGlyphs(const FontSource &source)
{
    std::map<char32_t, ExportGlyph> glyphs;
    JobControl control;
    DrawExportGlyphs(MapToCodePoints(source.List).Characters, source.Options.Settings, source.Options.Bpp,
                     source.Options.Advance.value_or(AdvanceMode::Font), control,
                     [&](const ExportGlyph &glyph, Failure *) {
                         glyphs[glyph.CodePoint] = glyph;
                         return true;
                     });
    return glyphs;
}

struct LvglInit
{
    LvglInit()
    {
        if (!lv_is_initialized())
            lv_init();
    }
};

// LVGL's coverage for a level: 0..255 as its font decoder turns 1, 2, 4 and 8-bit levels into
// opacity.
int Opacity(int level, int bpp)
{
    return level * 255 / ((1 << bpp) - 1);
}

// Compares every glyph of the font as LVGL decodes it with the glyph Dotrix drew, and checks
// that LVGL finds exactly the font's code points in the whole Basic Multilingual Plane.
void ExpectFontAsDotrixDrewIt(const lv_font_t &font, const char *name)
{
    LvglInit lvgl;
    const FontSource source = ReadFontSource(name);
    const std::map<char32_t, ExportGlyph> glyphs = DotrixGlyphs(source);
    ASSERT_FALSE(glyphs.empty());
    const ExportFontMetrics metrics = MeasureExportFont(source.Options.Settings, source.Options.Bpp, AdvanceMode::Font);
    EXPECT_EQ(lv_font_get_line_height(&font), metrics.LineHeight);
    EXPECT_EQ(font.base_line, metrics.LineHeight - metrics.Baseline);

    int checked = 0;
    for (const auto &[codePoint, glyph] : glyphs) {
        SCOPED_TRACE(std::string(name) + " U+" + QString::number(uint(codePoint), 16).toUpper().toStdString());
        lv_font_glyph_dsc_t dsc;
        ASSERT_TRUE(lv_font_get_glyph_dsc(&font, &dsc, codePoint, 0));
        ASSERT_EQ(dsc.adv_w, glyph.Advance);
        ASSERT_EQ(dsc.box_w, glyph.BoxWidth);
        ASSERT_EQ(dsc.box_h, glyph.BoxHeight);
        ASSERT_EQ(dsc.ofs_x, glyph.OffsetX);
        ASSERT_EQ(dsc.ofs_y, glyph.OffsetY);
        if (glyph.Empty())
            continue;
        lv_draw_buf_t *buffer = lv_draw_buf_create(dsc.box_w, dsc.box_h, LV_COLOR_FORMAT_A8, LV_STRIDE_AUTO);
        ASSERT_NE(lv_font_get_glyph_bitmap(&dsc, buffer), nullptr);
        for (int y = 0; y < glyph.BoxHeight; ++y)
            for (int x = 0; x < glyph.BoxWidth; ++x)
                ASSERT_EQ(buffer->data[y * buffer->header.stride + x],
                          Opacity(glyph.Level(glyph.BoxLeft + x, glyph.BoxTop + y), glyph.Bpp))
                    << "x " << x << " y " << y;
        lv_draw_buf_destroy(buffer);
        ++checked;
    }
    EXPECT_GT(checked, 0);

    std::set<char32_t> found;
    for (char32_t c = 1; c < 0x10000; ++c) {
        lv_font_glyph_dsc_t dsc;
        if (lv_font_get_glyph_dsc(&font, &dsc, c, 0))
            found.insert(c);
    }
    std::set<char32_t> listed;
    for (const auto &entry : glyphs)
        listed.insert(entry.first);
    if (listed.count(' '))
        listed.insert('\t'); // LVGL draws a tab as a space twice as wide
    EXPECT_TRUE(found == listed) << found.size() << " code points found, " << listed.size() << " in the font";
}

// Text drawn by LVGL's label drawing onto a white ARGB8888 canvas.
class LvglCanvas
{
public:
    LvglCanvas(int width, int height) : m_width(width), m_height(height)
    {
        if (!lv_display_get_default()) {
            static uint8_t frame[64 * 64 * 4];
            lv_display_t *display = lv_display_create(64, 64);
            lv_display_set_buffers(display, frame, nullptr, sizeof frame, LV_DISPLAY_RENDER_MODE_PARTIAL);
            lv_display_set_flush_cb(display, [](lv_display_t *d, const lv_area_t *, uint8_t *) {
                lv_display_flush_ready(d);
            });
        }
        m_buffer = lv_draw_buf_create(width, height, LV_COLOR_FORMAT_ARGB8888, LV_STRIDE_AUTO);
        m_canvas = lv_canvas_create(lv_screen_active());
        lv_canvas_set_draw_buf(m_canvas, m_buffer);
        lv_canvas_fill_bg(m_canvas, lv_color_white(), LV_OPA_COVER);
    }
    ~LvglCanvas()
    {
        lv_obj_delete(m_canvas);
        lv_draw_buf_destroy(m_buffer);
    }

    void Draw(const lv_font_t &font, const char *utf8, int x, int y)
    {
        lv_layer_t layer;
        lv_canvas_init_layer(m_canvas, &layer);
        lv_draw_label_dsc_t label;
        lv_draw_label_dsc_init(&label);
        label.color = lv_color_black();
        label.font = &font;
        label.text = utf8;
        const lv_area_t area = {x, y, m_width - 1, m_height - 1};
        lv_draw_label(&layer, &label, &area);
        lv_canvas_finish_layer(m_canvas, &layer);
    }

    // Grey level of a pixel: 255 white paper, 0 full ink.
    int Grey(int x, int y) const { return m_buffer->data[y * m_buffer->header.stride + 4 * x + 1]; }

    QImage Picture() const
    {
        QImage image(m_width, m_height, QImage::Format_Grayscale8);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                image.scanLine(y)[x] = uchar(Grey(x, y));
        return image;
    }

private:
    int m_width, m_height;
    lv_draw_buf_t *m_buffer = nullptr;
    lv_obj_t *m_canvas = nullptr;
};

// The characters of a UTF-8 text, each drawn by Dotrix with a font's settings, and where the pen
// stands in their cells.
struct DotrixLine
{
    std::vector<ExportGlyph> Glyphs;
    int PenX = 0;
    int Width() const
    {
        int width = 0;
        for (const ExportGlyph &glyph : Glyphs)
            width += glyph.Advance;
        return width;
    }
};

DotrixLine DotrixText(const FontSource &source, const char *utf8)
{
    DotrixLine line;
    std::vector<ExportGlyph> &glyphs = line.Glyphs;
    const ExportFontMetrics metrics =
        MeasureExportFont(source.Options.Settings, source.Options.Bpp, source.Options.Advance.value_or(AdvanceMode::Font));
    for (const std::string &character : Utf8ToCp936Chars(utf8)) {
        const CodePointList mapped = MapToCodePoints(character);
        EXPECT_EQ(mapped.Characters.size(), 1u);
        glyphs.push_back(DrawExportGlyph(mapped.Characters.front(), source.Options.Settings, source.Options.Bpp, metrics));
    }
    line.PenX = metrics.PenX;
    return line;
}

// Where LVGL's drawing of utf8 with the pen starting at (left, top) differs from Dotrix's cells
// set from there (each cell at the pen less the pen's column, the pen moved by each advance) by
// more than tolerance grey levels; every other pixel of the canvas must be paper.
int MisplacedPixels(const LvglCanvas &canvas, int width, int height, const DotrixLine &line, int left, int top,
                    int tolerance)
{
    std::vector<int> expected(size_t(width * height), 255);
    int pen = left;
    for (const ExportGlyph &glyph : line.Glyphs) {
        for (int y = 0; y < glyph.CellHeight; ++y)
            for (int x = 0; x < glyph.CellWidth; ++x) {
                const int column = pen - line.PenX + x;
                if (top + y < height && column >= 0 && column < width && glyph.Level(x, y) != 0)
                    expected[size_t((top + y) * width + column)] = 255 - Opacity(glyph.Level(x, y), glyph.Bpp);
            }
        pen += glyph.Advance;
    }
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            wrong += std::abs(canvas.Grey(x, y) - expected[size_t(y * width + x)]) > tolerance;
    return wrong;
}

// Fourteen characters: Chinese, a space, ASCII, the euro sign, punctuation, Cyrillic, kana.
const char *const MixedText = "中文 ABC€汉字g永，Жあ";
// A thermometer's line: hanzi, digits, units, an English word, punctuation.
const char *const ThermometerLine = "温度: 23.5°C Hello, 世界!";

} // namespace

TEST(LvglFont, WholeGb2312SetAtOneBitDecodesAsDotrixDrewIt)
{
    ExpectFontAsDotrixDrewIt(dotrix_gb2312_1bpp, "dotrix_gb2312_1bpp");
}

TEST(LvglFont, SampleAtEveryBitDepthDecodesAsDotrixDrewIt)
{
    ExpectFontAsDotrixDrewIt(dotrix_sample_1bpp, "dotrix_sample_1bpp");
    ExpectFontAsDotrixDrewIt(dotrix_sample_2bpp, "dotrix_sample_2bpp");
    ExpectFontAsDotrixDrewIt(dotrix_sample_4bpp, "dotrix_sample_4bpp");
    ExpectFontAsDotrixDrewIt(dotrix_sample_8bpp, "dotrix_sample_8bpp");
    ExpectFontAsDotrixDrewIt(dotrix_wqy_line_4bpp, "dotrix_wqy_line_4bpp");
    ExpectFontAsDotrixDrewIt(dotrix_wqy_grid_4bpp, "dotrix_wqy_grid_4bpp");
    ExpectFontAsDotrixDrewIt(dotrix_dejavu_kerned_4bpp, "dotrix_dejavu_kerned_4bpp");
}

TEST(LvglFont, LvglSetsMixedTextWhereDotrixPutsItsGlyphs)
{
    // DOTRIX_LVGL_PICTURE=docs/lvgl-font.png also writes what LVGL drew, three times enlarged,
    // for the README.
    LvglInit lvgl;
    const struct {
        const lv_font_t &Font;
        const char *Name;
        const char *Text;
        int Tolerance; // LVGL blends grey levels with its own rounding
    } fonts[] = {{dotrix_wqy_line_4bpp, "dotrix_wqy_line_4bpp", ThermometerLine, 2},
                 {dotrix_wqy_grid_4bpp, "dotrix_wqy_grid_4bpp", ThermometerLine, 2},
                 {dotrix_sample_1bpp, "dotrix_sample_1bpp", MixedText, 0},
                 {dotrix_sample_2bpp, "dotrix_sample_2bpp", MixedText, 2},
                 {dotrix_sample_4bpp, "dotrix_sample_4bpp", MixedText, 2},
                 {dotrix_sample_8bpp, "dotrix_sample_8bpp", MixedText, 2}};
    std::vector<QImage> drawn;
    std::vector<DotrixLine> thermometer;
    for (const auto &font : fonts) {
        SCOPED_TRACE(font.Name);
        const FontSource source = ReadFontSource(font.Name);
        const DotrixLine glyphs = DotrixText(source, font.Text);
        const int cellWidth = source.Options.Settings.Width, cellHeight = source.Options.Settings.Height;
        const int width = 3 + int(glyphs.Glyphs.size()) * cellWidth + 5;
        const int height = 2 + cellHeight + 4;
        LvglCanvas canvas(width, height);
        canvas.Draw(font.Font, font.Text, 3, 2);
        EXPECT_EQ(MisplacedPixels(canvas, width, height, glyphs, 3, 2, font.Tolerance), 0);
        // The text's size as LVGL measures it: the glyphs' advances, one line.
        lv_point_t size;
        lv_text_get_size(&size, font.Text, &font.Font, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
        EXPECT_EQ(size.x, glyphs.Width());
        EXPECT_EQ(size.y, cellHeight);
        drawn.push_back(canvas.Picture().copy(0, 0, std::min(width, 3 + size.x + 5), height));
        if (font.Text == ThermometerLine)
            thermometer.push_back(glyphs);
    }
    // The thermometer's line set with the font's advances is as wide as FreeType sets it; on the
    // cell's grid it is 21 cells; the glyphs' dots are the same in both.
    std::string error;
    const std::u32string line = QString::fromUtf8(ThermometerLine).toStdU32String();
    const int freeType = consumers::FreeTypeAdvanceSum(QStringLiteral("WenQuanYi Zen Hei"), 16, line, &error);
    ASSERT_GT(freeType, 0) << error;
    ASSERT_EQ(thermometer.size(), 2u);
    EXPECT_LE(std::abs(thermometer[0].Width() - freeType), 2) << thermometer[0].Width() << " against " << freeType;
    EXPECT_EQ(thermometer[1].Width(), 21 * 16);
    for (size_t i = 0; i < line.size(); ++i)
        EXPECT_EQ(thermometer[0].Glyphs[i].Levels, thermometer[1].Glyphs[i].Levels) << i;
    const QString path = qEnvironmentVariable("DOTRIX_LVGL_PICTURE");
    if (path.isEmpty())
        return;
    int width = 0, height = 0;
    for (const QImage &line : drawn) {
        width = std::max(width, line.width());
        height += line.height();
    }
    QImage picture(width, height, QImage::Format_Grayscale8);
    picture.fill(255);
    int top = 0;
    for (const QImage &line : drawn) {
        for (int y = 0; y < line.height(); ++y)
            std::copy_n(line.constScanLine(y), line.width(), picture.scanLine(top + y));
        top += line.height();
    }
    EXPECT_TRUE(picture.scaled(width * 3, height * 3).save(path)) << path.toStdString();
}

TEST(LvglFont, KerningPairsSetLatinTextAsQtSetsIt)
{
    LvglInit lvgl;
    const QString line = QStringLiteral("AVATAR To. Wave, yes LT Ty");
    const auto *kerned = static_cast<const lv_font_fmt_txt_dsc_t *>(dotrix_dejavu_kerned_4bpp.dsc);
    const auto *plain = static_cast<const lv_font_fmt_txt_dsc_t *>(dotrix_dejavu_plain_4bpp.dsc);
    ASSERT_NE(kerned->kern_dsc, nullptr);
    EXPECT_EQ(plain->kern_dsc, nullptr);
    // Qt's text layout shapes with the font's kerning: each character's advance in front of the
    // next one is what the pair moves the pen in Qt, which LVGL gives in whole pixels.
    const FontSource source = ReadFontSource("dotrix_dejavu_kerned_4bpp");
    const QFontMetricsF metrics(source.Options.Settings.GlyphFont.ToQFont(true));
    int kernedPairs = 0;
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        const QString pair = line.mid(i, 2);
        const double qt = metrics.horizontalAdvance(pair) - metrics.horizontalAdvance(line.mid(i + 1, 1));
        const char32_t left = line[i].unicode(), right = line[i + 1].unicode();
        const int withKerning = lv_font_get_glyph_width(&dotrix_dejavu_kerned_4bpp, left, right);
        const int without = lv_font_get_glyph_width(&dotrix_dejavu_plain_4bpp, left, right);
        EXPECT_LE(std::abs(withKerning - qt), 0.75) << pair.toStdString() << ": " << withKerning << " against " << qt;
        EXPECT_EQ(without, lv_font_get_glyph_width(&dotrix_dejavu_plain_4bpp, left, 0)) << pair.toStdString();
        kernedPairs += withKerning != without;
    }
    EXPECT_GE(kernedPairs, 6); // AV VA AT TA To Wa LT Ty at least move by a pixel
    const QByteArray utf8 = line.toUtf8();
    lv_point_t withKerning, without;
    lv_text_get_size(&withKerning, utf8.constData(), &dotrix_dejavu_kerned_4bpp, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    lv_text_get_size(&without, utf8.constData(), &dotrix_dejavu_plain_4bpp, 0, 0, LV_COORD_MAX, LV_TEXT_FLAG_NONE);
    EXPECT_LT(withKerning.x, without.x);
}

TEST(LvglFont, BigGlyphsNeedLvglsLargeFormatAndSaySoWhenCompiled)
{
    QTemporaryDir dir;
    const QString font = dir.filePath("wide.c");
    // A 300-pixel advance (the cell's) passes what the normal format holds (255).
    QProcess cli;
    cli.start(QStringLiteral(DOTRIX_CLI_PATH), {"--export", "lvgl", "--out", font, "--font-name", "dotrix_wide",
                                                "--size", "300x40", "--advance", "cell", "--font-size", "24", "AB中"});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(cli.readAllStandardError().toStdString(),
              "dotrix-cli: note: dotrix_wide needs LV_FONT_FMT_TXT_LARGE 1 in lv_conf.h: its advance is wider than 255 px\n");

    auto compile = [&](const QStringList &extra) {
        QProcess cc;
        cc.setProcessChannelMode(QProcess::MergedChannels);
        cc.start(QStringLiteral(DOTRIX_C_COMPILER),
                 QStringList{"-fsyntax-only", "-Wall", "-Werror", "-I" DOTRIX_LVGL_DIR, "-I" DOTRIX_LVGL_CONF_DIR,
                             "-DLV_CONF_INCLUDE_SIMPLE", "-DLV_LVGL_H_INCLUDE_SIMPLE"}
                     + extra + QStringList{font});
        EXPECT_TRUE(cc.waitForFinished(120000));
        return std::make_pair(cc.exitCode(), cc.readAll().toStdString());
    };
    const auto [normalStatus, normalOutput] = compile({});
    EXPECT_NE(normalStatus, 0);
    EXPECT_NE(normalOutput.find("dotrix_wide needs LV_FONT_FMT_TXT_LARGE 1 in lv_conf.h: its advance is wider than 255 px"),
              std::string::npos)
        << normalOutput;
    const auto [largeStatus, largeOutput] = compile({"-DLV_FONT_FMT_TXT_LARGE=1"});
    EXPECT_EQ(largeStatus, 0) << largeOutput;
}

TEST(LvglFont, NoTextOfTheUserChangesHowTheFontCompiles)
{
    QTemporaryDir dir;
    const QString font = dir.filePath("hostile.c");
    // Each text would end the header comment, open one inside it (an error under -Werror) or
    // join a line to it through a trigraph, were it copied as it is.
    const char *texts[] = {"*/ int x; /*", "/*/", "a?\?/\nb", "x\\\ny;"};
    for (const char *text : texts) {
        QProcess cli;
        cli.start(QStringLiteral(DOTRIX_CLI_PATH), {"--export", "lvgl", "--out", font, "--font-name", "dotrix_hostile",
                                                    "--font", "Unifont", "--", QString::fromUtf8(text)});
        ASSERT_TRUE(cli.waitForFinished(60000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        for (const char *standard : {"-std=gnu11", "-std=c99"}) { // c99 reads trigraphs
            QProcess cc;
            cc.setProcessChannelMode(QProcess::MergedChannels);
            cc.start(QStringLiteral(DOTRIX_C_COMPILER),
                     {"-fsyntax-only", standard, "-Wall", "-Wextra", "-Wcomment", "-Wtrigraphs", "-Werror",
                      "-I" DOTRIX_LVGL_DIR, "-I" DOTRIX_LVGL_CONF_DIR, "-DLV_CONF_INCLUDE_SIMPLE",
                      "-DLV_LVGL_H_INCLUDE_SIMPLE", font});
            ASSERT_TRUE(cc.waitForFinished(120000));
            EXPECT_EQ(cc.exitCode(), 0) << text << " " << standard << "\n" << cc.readAll().toStdString();
        }
    }
}

TEST(LvglFont, CompressedFontsDecodeToTheLevelsOfThePlainOnes)
{
    ExpectFontAsDotrixDrewIt(dotrix_gb2312_2bpp_compressed, "dotrix_gb2312_2bpp_compressed");
    ExpectFontAsDotrixDrewIt(dotrix_gb2312_4bpp_compressed, "dotrix_gb2312_4bpp_compressed");
    ExpectFontAsDotrixDrewIt(dotrix_sample_2bpp_compressed, "dotrix_sample_2bpp_compressed");
    ExpectFontAsDotrixDrewIt(dotrix_sample_4bpp_compressed, "dotrix_sample_4bpp_compressed");
    // The header says so, and the command line it records asks for it.
    for (const auto &[name, bpp] :
         {std::pair("dotrix_gb2312_2bpp_compressed", "2"), std::pair("dotrix_sample_4bpp_compressed", "4")}) {
        const std::string text = testutil::ReadFileBytes(QStringLiteral(DOTRIX_LVGL_FONT_DIR "/%1.c").arg(name));
        EXPECT_NE(text.find(std::string(" * Bpp: ") + bpp + ", compressed; "), std::string::npos) << name;
        EXPECT_NE(text.find("    .bitmap_format = 1,\n"), std::string::npos) << name;
        EXPECT_TRUE(ReadFontSource(name).Options.Compress) << name;
    }
    // LVGL's label drawing sets the compressed font exactly as the plain one.
    const std::pair<const lv_font_t &, const lv_font_t &> twins[] = {
        {dotrix_sample_2bpp, dotrix_sample_2bpp_compressed}, {dotrix_sample_4bpp, dotrix_sample_4bpp_compressed}};
    for (const auto &[plain, compressed] : twins) {
        const int width = 14 * 24 + 8, height = 30;
        LvglCanvas plainCanvas(width, height), compressedCanvas(width, height);
        plainCanvas.Draw(plain, MixedText, 3, 2);
        compressedCanvas.Draw(compressed, MixedText, 3, 2);
        const QImage drawn = plainCanvas.Picture();
        EXPECT_TRUE(drawn == compressedCanvas.Picture());
        int inked = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                inked += drawn.constScanLine(y)[x] < 128;
        EXPECT_GT(inked, 200);
    }
}

TEST(LvglFont, LvglDecodesEveryRunTheCompressorWrites)
{
    // Glyphs of every width LVGL's normal format holds, made of runs around the lengths where the
    // code changes form (a repeated pair, the eleventh bit, a 63-long count), rows repeating the
    // one above (zeros once filtered) and noise, compressed and decoded by LVGL's own decoder.
    LvglInit lvgl;
    std::mt19937 random(20251210);
    const int runLengths[] = {1, 2, 3, 9, 10, 11, 12, 13, 62, 63, 64, 65, 66, 74, 75, 76, 127, 128, 200};
    int glyphs = 0;
    for (int bpp : {2, 4}) {
        for (int round = 0; round < 1500; ++round) {
            const int width = round < 3 ? 255 : 1 + int(random() % 255);
            const int height = round == 1 ? 255 : round == 2 ? 1 : 1 + int(random() % 48);
            std::vector<uint8_t> levels(size_t(width * height));
            const int kind = int(random() % 3);
            for (size_t i = 0; i < levels.size();) {
                const int level = int(random() % (1u << bpp));
                if (kind == 0 && i >= size_t(width) && random() % 2) { // the row above
                    for (size_t end = std::min(levels.size(), i + size_t(width)); i < end; ++i)
                        levels[i] = levels[i - size_t(width)];
                    continue;
                }
                const int run = kind == 2 ? 1 : runLengths[random() % std::size(runLengths)];
                for (int k = 0; k < run && i < levels.size(); ++k)
                    levels[i++] = uint8_t(level);
            }
            std::vector<uint8_t> bitmap = CompressLvglGlyph(levels, width, height, bpp);
            bitmap.push_back(0); // as the font's array ends

            lv_font_fmt_txt_glyph_dsc_t glyphDsc[2] = {};
            glyphDsc[1].adv_w = uint32_t(width * 16);
            glyphDsc[1].box_w = uint8_t(width);
            glyphDsc[1].box_h = uint8_t(height);
            lv_font_fmt_txt_cmap_t cmap = {};
            cmap.range_start = 'A';
            cmap.range_length = 1;
            cmap.glyph_id_start = 1;
            cmap.type = LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY;
            lv_font_fmt_txt_dsc_t dsc = {};
            dsc.glyph_bitmap = bitmap.data();
            dsc.glyph_dsc = glyphDsc;
            dsc.cmaps = &cmap;
            dsc.cmap_num = 1;
            dsc.bpp = uint16_t(bpp);
            dsc.bitmap_format = LV_FONT_FMT_TXT_COMPRESSED;
            lv_font_t font = {};
            font.get_glyph_dsc = lv_font_get_glyph_dsc_fmt_txt;
            font.get_glyph_bitmap = lv_font_get_bitmap_fmt_txt;
            font.line_height = height;
            font.dsc = &dsc;

            SCOPED_TRACE(testing::Message() << bpp << " bpp, round " << round << ", " << width << "x" << height);
            lv_font_glyph_dsc_t glyph;
            ASSERT_TRUE(lv_font_get_glyph_dsc(&font, &glyph, 'A', 0));
            lv_draw_buf_t *buffer = lv_draw_buf_create(width, height, LV_COLOR_FORMAT_A8, LV_STRIDE_AUTO);
            ASSERT_NE(lv_font_get_glyph_bitmap(&glyph, buffer), nullptr);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(buffer->data[y * buffer->header.stride + x], Opacity(levels[size_t(y * width + x)], bpp))
                        << "x " << x << " y " << y;
            lv_draw_buf_destroy(buffer);
            ++glyphs;
        }
    }
    EXPECT_EQ(glyphs, 3000);
}

TEST(LvglFont, CompressionLvglCannotDecodeIsRefusedAndNothingWritten)
{
    QTemporaryDir dir;
    const QString font = dir.filePath("font.c");
    const struct {
        QStringList Args;
        const char *Says;
    } cases[] = {
        {{"--export", "lvgl", "--bpp", "1"},
         "--export lvgl: LVGL decodes compressed glyphs only at 2 or 4 bits per pixel, not at 1"},
        {{"--export", "lvgl", "--bpp", "8"},
         "--export lvgl: LVGL decodes compressed glyphs only at 2 or 4 bits per pixel, not at 8"},
        {{"--export", "ubin", "--bpp", "4"}, "--export ubin: ubin files cannot be compressed: only LVGL fonts have a compressed format"},
        {{"--export", "bdf"}, "--export bdf: bdf files cannot be compressed: only LVGL fonts have a compressed format"},
        {{}, "--out, --bpp, --advance, --no-kerning, --compress and --font-name go with --export FORMAT"},
    };
    for (const auto &c : cases) {
        QProcess cli;
        cli.start(QStringLiteral(DOTRIX_CLI_PATH),
                  QStringList{"--lang", "en", "--compress"} + c.Args
                      + (c.Args.isEmpty() ? QStringList{} : QStringList{"--out", font}) + QStringList{"中"});
        ASSERT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 2) << c.Says;
        const std::string err = cli.readAllStandardError().toStdString();
        EXPECT_NE(err.find(c.Says), std::string::npos) << err;
        EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "");
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << c.Says;
    }
}

namespace {

// A 1 bpp glyph as LVGL decodes it, placed in the font's cell ('#' ink), the pen at its left edge.
std::vector<std::string> LvglCell(const lv_font_t &font, lv_font_glyph_dsc_t dsc, int width, int height)
{
    const int baseline = lv_font_get_line_height(&font) - font.base_line;
    std::vector<std::string> cell(size_t(height), std::string(size_t(width), '.'));
    if (dsc.box_w == 0 || dsc.box_h == 0)
        return cell;
    lv_draw_buf_t *buffer = lv_draw_buf_create(dsc.box_w, dsc.box_h, LV_COLOR_FORMAT_A8, LV_STRIDE_AUTO);
    EXPECT_NE(lv_font_get_glyph_bitmap(&dsc, buffer), nullptr);
    for (int y = 0; y < dsc.box_h; ++y)
        for (int x = 0; x < dsc.box_w; ++x) {
            const int row = baseline - dsc.ofs_y - dsc.box_h + y, column = dsc.ofs_x + x;
            if (buffer->data[y * buffer->header.stride + x] == 0)
                continue;
            if (row < 0 || column < 0 || row >= height || column >= width)
                cell.assign(size_t(height), std::string(size_t(width), '!')); // ink outside the cell
            else
                cell[size_t(row)][size_t(column)] = '#';
        }
    lv_draw_buf_destroy(buffer);
    return cell;
}

} // namespace

TEST(LvglFont, PatchedGlyphsDecodeAsTheirDotsAndEveryOtherAsTheUnpatchedFont)
{
    LvglInit lvgl;
    GlyphPatch patch;
    Failure failure;
    ASSERT_TRUE(LoadGlyphPatch(DOTRIX_LVGL_PATCH, patch, &failure)) << testutil::Describe(failure);
    ASSERT_EQ(patch.Size(), 50u);
    const lv_font_t &plain = dotrix_sample_1bpp_unpatched, &patched = dotrix_sample_1bpp_patched;
    int fixed = 0, kept = 0;
    for (char32_t c = 1; c < 0x10000; ++c) {
        lv_font_glyph_dsc_t before, after;
        const bool inPlain = lv_font_get_glyph_dsc(&plain, &before, c, 0);
        ASSERT_EQ(lv_font_get_glyph_dsc(&patched, &after, c, 0), inPlain);
        if (!inPlain)
            continue;
        SCOPED_TRACE("U+" + QString::number(uint(c), 16).toUpper().toStdString());
        EXPECT_EQ(after.adv_w, before.adv_w); // a fixed glyph keeps the font's advance
        std::vector<std::string> expected = LvglCell(plain, before, 16, 16);
        if (const GlyphPatch::Dots *dots = patch.Find(c)) {
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    expected[size_t(y)][size_t(x)] = (*dots)[size_t(y * 16 + x)] ? '#' : '.';
            ++fixed;
        } else {
            ++kept;
        }
        ASSERT_EQ(LvglCell(patched, after, 16, 16), expected);
    }
    EXPECT_EQ(fixed, 50);
    EXPECT_GT(kept, 100);
}
