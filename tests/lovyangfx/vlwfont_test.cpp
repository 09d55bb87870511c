// Smooth fonts (.vlw) written by Dotrix, loaded from memory and drawn by LovyanGFX 1.2.20 in its
// host harness (lgfx_draw): every glyph of a whole GB2312 set at 16 px and of seeded samples at
// 12 and 24 px drawn with the coverage Dotrix drew, where the font's metrics put it; a mixed
// Chinese and Latin line set where FreeType sets it; the C array form; and the fonts the format
// cannot hold refused with nothing written.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "cli/cliargs.h"
#include "common/testutil.h"
#include "export/fontexport.h"
#include "export/fontfilewriter.h"
#include "freetypeadvance.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>

namespace {

constexpr int Margin = 16; // the harness's: the pen starts this far right of the box's left edge
const char *const MixedLine = "温度: 23.5°C Hello, 世界!";

std::string RunProgram(const QString &program, const QStringList &args, const std::string &input = {}, int exitCode = 0)
{
    QProcess process;
    process.start(program, args);
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(300000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), exitCode) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().toStdString();
}

// Settings as dotrix-cli's options give them.
GlyphSettings SettingsOf(std::vector<std::string> options)
{
    options.emplace_back("x");
    const CliParseResult parsed = ParseCliArgs(options);
    EXPECT_TRUE(parsed.Ok) << parsed.Error;
    return parsed.Options.Settings;
}

FontExportResult ExportVlw(const std::vector<CodePointChar> &characters, const GlyphSettings &settings,
                           const QString &path, bool fit = true)
{
    FontExportRequest request;
    request.Format = ExportFormat::Vlw;
    request.Bpp = 8;
    request.OutPath = path;
    request.FitOffsetY = fit;
    JobControl control;
    return ExportFont(characters, settings, request, control);
}

// A font exported, with its glyphs as Dotrix draws them at the offset the export chose, and its
// line as LovyanGFX measured it (lgfx_draw --font: "yAdvance 16 maxAscent 14 ...").
struct VlwFont
{
    QString Path;
    std::map<char32_t, ExportGlyph> Glyphs;
    ExportFontMetrics Metrics;
    std::map<std::string, int> Line;
};

VlwFont Export(const std::string &list, GlyphSettings settings, const QString &path)
{
    VlwFont font{path, {}, {}, {}};
    const std::vector<CodePointChar> characters = MapToCodePoints(list).Characters;
    const FontExportResult result = ExportVlw(characters, settings, path);
    EXPECT_EQ(result.State, FontExportResult::Done) << testutil::Describe(result.Error);
    settings.OffsetY = result.OffsetY;
    font.Metrics = MeasureExportFont(settings, 8, AdvanceMode::Font);
    JobControl control;
    DrawExportGlyphs(characters, settings, 8, AdvanceMode::Font, control, [&](const ExportGlyph &glyph, Failure *) {
        font.Glyphs[glyph.CodePoint] = glyph;
        return true;
    });
    std::istringstream words(RunProgram(QStringLiteral(DOTRIX_LGFX_DRAW), {path, QStringLiteral("--font")}));
    std::string name;
    for (int value = 0; words >> name >> value;)
        font.Line[name] = value;
    // LovyanGFX's line is Dotrix's cell: as high, the baseline as far down, a space as wide.
    EXPECT_EQ(font.Line["yAdvance"], font.Metrics.LineHeight);
    EXPECT_EQ(font.Line["maxAscent"], font.Metrics.Baseline);
    if (font.Glyphs.count(U' ')) {
        EXPECT_EQ(font.Line["spaceWidth"], font.Glyphs.at(U' ').Advance);
    }
    return font;
}

// Every glyph drawn alone by LovyanGFX against Dotrix's cell placed on the pen: the same
// coverage at every pixel of the box, the same advance and offset. Returns the glyphs that differ.
std::vector<char32_t> GlyphsDrawnOtherwise(const VlwFont &font)
{
    std::string codes;
    for (const auto &[codePoint, glyph] : font.Glyphs)
        codes += QString::number(uint(codePoint), 16).toStdString() + "\n";
    std::istringstream out(RunProgram(QStringLiteral(DOTRIX_LGFX_DRAW), {font.Path, QStringLiteral("--glyphs")}, codes));
    std::vector<char32_t> wrong;
    for (const auto &[codePoint, glyph] : font.Glyphs) {
        // "U+4E2D width 12 advance 16 dX 2 box 48x16", then the box's rows in hexadecimal bytes.
        std::string code, word, box, row;
        int width = 0, advance = 0, dX = 0;
        out >> code >> word >> width >> word >> advance >> word >> dX >> word >> box;
        const int boxWidth = std::atoi(box.c_str()), boxHeight = std::atoi(box.c_str() + box.find('x') + 1);
        bool same = code == CodePointName(codePoint).toStdString() && advance == glyph.Advance && dX == glyph.OffsetX
                    && boxHeight == font.Metrics.LineHeight;
        for (int y = 0; y < boxHeight && out >> row; ++y)
            for (int x = 0; x < boxWidth && same; ++x)
                same = std::stoi(row.substr(size_t(x) * 2, 2), nullptr, 16) == glyph.Level(x - Margin + font.Metrics.PenX, y);
        if (!same)
            wrong.push_back(codePoint);
    }
    return wrong;
}

} // namespace

TEST(VlwFont, LovyanGfxDrawsEveryGlyphAsDotrixDrewIt)
{
    QTemporaryDir dir;
    const std::string gb2312 = LoadCharset(CharacterSet::GB2312, QString()).Text;
    // count characters of the set drawn from seed, with every printable ASCII character.
    auto sample = [&](size_t count, unsigned seed) {
        const std::vector<CodePointChar> set = MapToCodePoints(gb2312).Characters;
        std::string list = " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
        std::mt19937 random(seed);
        for (size_t i = 0; i < count; ++i)
            list += set[random() % set.size()].Character;
        return list;
    };
    const struct {
        const char *Name;
        std::string List;
        std::vector<std::string> Options;
    } fonts[] = {{"gb2312-16", gb2312, {}},
                 {"sample-12", sample(400, 12), {"--px", "12", "--size", "12x12"}},
                 // A line too high for the space's width: one glyph carries the line.
                 {"sample-24", sample(400, 24), {"--font", "WenQuanYi Zen Hei", "--px", "24", "--size", "24x28"}}};
    for (const auto &f : fonts) {
        SCOPED_TRACE(f.Name);
        const VlwFont font = Export(f.List, SettingsOf(f.Options), dir.filePath(QString::fromLatin1(f.Name) + ".vlw"));
        EXPECT_EQ(font.Line.at("glyphs"), int(font.Glyphs.size()));
        EXPECT_GT(font.Glyphs.size(), 400u);
        const std::vector<char32_t> wrong = GlyphsDrawnOtherwise(font);
        EXPECT_TRUE(wrong.empty()) << wrong.size() << " glyphs drawn otherwise, the first " << CodePointName(wrong.front());
    }
}

TEST(VlwFont, LovyanGfxSetsMixedTextWhereFreeTypeSetsIt)
{
    // DOTRIX_VLW_PICTURE=docs/vlw-font.png also writes what LovyanGFX drew, three times enlarged,
    // for the README.
    QTemporaryDir dir;
    const VlwFont font = Export(Utf8ToCp936(MixedLine), SettingsOf({"--font", "WenQuanYi Zen Hei", "--px", "16"}),
                                dir.filePath("line.vlw"));
    // Dotrix's line: each glyph's cell on the pen, the pen moving by the glyphs' advances.
    const std::u32string text = QString::fromUtf8(MixedLine).toStdU32String();
    QImage expected(2 * Margin + 400, font.Metrics.LineHeight, QImage::Format_Grayscale8);
    expected.fill(0);
    int width = 0;
    for (char32_t c : text) {
        const ExportGlyph &glyph = font.Glyphs.at(c);
        for (int y = 0; y < glyph.CellHeight; ++y)
            for (int x = 0; x < glyph.CellWidth; ++x)
                if (glyph.Level(x, y) != 0)
                    expected.scanLine(y)[Margin + width + x - font.Metrics.PenX] = uchar(glyph.Level(x, y));
        width += glyph.Advance;
    }
    std::string error;
    const int freeType = consumers::FreeTypeAdvanceSum(QStringLiteral("WenQuanYi Zen Hei"), 16, text, &error);
    ASSERT_GT(freeType, 0) << error;
    EXPECT_LE(std::abs(width - freeType), 2) << width << " against " << freeType;

    const QString pgm = dir.filePath("line.pgm");
    const std::string measured = RunProgram(QStringLiteral(DOTRIX_LGFX_DRAW),
                                            {font.Path, "--line", QString::fromUtf8(MixedLine), "--pgm", pgm});
    EXPECT_EQ(measured.substr(0, measured.find(' ', 11)), "LINE width " + std::to_string(width));
    QImage drawn = QImage(pgm).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(drawn.size(), QSize(2 * Margin + width, font.Metrics.LineHeight));
    EXPECT_TRUE(drawn == expected.copy(0, 0, drawn.width(), drawn.height()));

    if (const QString path = qEnvironmentVariable("DOTRIX_VLW_PICTURE"); !path.isEmpty()) {
        drawn.invertPixels(); // black ink on white paper
        EXPECT_TRUE(drawn.scaled(drawn.size() * 3).save(path)) << path.toStdString();
    }
}

TEST(VlwFont, CArrayHoldsTheFontsBytesCompilesAndNeverReplacesTheList)
{
    QTemporaryDir dir;
    const QString vlw = dir.filePath("cjk16.vlw");
    const std::string summary = RunProgram(QStringLiteral(DOTRIX_CLI_PATH),
                                           {"--export", "vlw", "--vlw-array", "cjk16_font", "--out", vlw, "中文 Hello"});
    EXPECT_NE(summary.find("as C array cjk16_font"), std::string::npos) << summary;
    const std::string bytes = testutil::ReadFileBytes(vlw);
    const std::string source = testutil::ReadFileBytes(dir.filePath("cjk16.c"));
    const std::string header = testutil::ReadFileBytes(dir.filePath("cjk16.h"));
    EXPECT_NE(header.find("extern const uint8_t cjk16_font[" + std::to_string(bytes.size()) + "];"), std::string::npos);
    std::string fromArray;
    for (size_t at = source.find("= {"); (at = source.find("0x", at)) != std::string::npos; at += 2)
        fromArray += char(std::stoi(source.substr(at + 2, 2), nullptr, 16));
    EXPECT_TRUE(fromArray == bytes) << fromArray.size() << " bytes in the array, " << bytes.size() << " in the font";
    RunProgram(QStringLiteral(DOTRIX_C_COMPILER), {"-std=c99", "-Wall", "-Wextra", "-Werror", "-c", dir.filePath("cjk16.c"),
                                                   "-o", dir.filePath("cjk16.o")});

    // A list that the array's header would replace is left as it is, and no font is written.
    const QString list = dir.filePath("menu.h");
    ASSERT_TRUE(testutil::WriteFileBytes(list, "中文\n"));
    RunProgram(QStringLiteral(DOTRIX_CLI_PATH),
               {"--export", "vlw", "--vlw-array", "menu", "--out", dir.filePath("menu.vlw"), "--list", list}, {}, 1);
    EXPECT_EQ(testutil::ReadFileBytes(list), "中文\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("menu.vlw")));
}

TEST(VlwFont, WhatTheFormatCannotHoldIsRefusedAndNothingWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.vlw");
    const std::vector<CodePointChar> zhong = {{0x4E2D, Utf8ToCp936("中")}};
    const struct {
        const char *Why;
        std::vector<CodePointChar> List;
        std::vector<std::string> Options;
        QString Mentions;
    } cases[] = {
        {"a code point past U+FFFF", {{U'A', "A"}, {0x1F600, "?"}}, {}, QStringLiteral("U+1F600")},
        {"a glyph wider than 255 px", zhong, {"--px", "400", "--size", "480x420"}, QStringLiteral("U+4E2D")},
        {"a baseline above the cell", zhong, {"--offset", "0,-40"}, QStringLiteral("-26")},
        {"a space narrower than so high a line draws it, and no glyph to carry the line",
         {{U' ', " "}, {0xB0, Utf8ToCp936("°")}}, {"--size", "16x48"}, QStringLiteral("13")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Why);
        const FontExportResult result = ExportVlw(c.List, SettingsOf(c.Options), path, c.Options.empty() || c.Options[0] != "--offset");
        EXPECT_EQ(result.State, FontExportResult::Failed);
        EXPECT_TRUE(testutil::Mentions(result.Error, c.Mentions)) << testutil::Describe(result.Error);
        EXPECT_FALSE(QFile::exists(path));
    }
}
