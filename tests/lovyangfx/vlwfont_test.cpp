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

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_TRUE(process.waitForStarted()) << program.toStdString();
    process.write(input.data(), qint64(input.size()));
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(300000));
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

struct VlwFont
{
    QString Path;
    GlyphSettings Placed; // the settings with the vertical offset the export chose
    FontExportResult Result;
    std::map<char32_t, ExportGlyph> Glyphs; // as Dotrix draws them there
    ExportFontMetrics Metrics;
};

VlwFont Export(const std::vector<CodePointChar> &characters, const GlyphSettings &settings, const QString &path)
{
    VlwFont font;
    font.Path = path;
    FontExportRequest request;
    request.Format = ExportFormat::Vlw;
    request.Bpp = 8;
    request.OutPath = path;
    JobControl control;
    font.Result = ExportFont(characters, settings, request, control);
    EXPECT_EQ(font.Result.State, FontExportResult::Done) << testutil::Describe(font.Result.Error);
    font.Placed = settings;
    font.Placed.OffsetY = font.Result.OffsetY;
    font.Metrics = MeasureExportFont(font.Placed, 8, AdvanceMode::Font);
    DrawExportGlyphs(characters, font.Placed, 8, AdvanceMode::Font, control, [&](const ExportGlyph &glyph, Failure *) {
        font.Glyphs[glyph.CodePoint] = glyph;
        return true;
    });
    return font;
}

// The line as LovyanGFX measured it: "glyphs N yAdvance N maxAscent N ..." by name.
std::map<std::string, int> LineMetrics(const QString &path)
{
    std::istringstream words(RunProgram(QStringLiteral(DOTRIX_LGFX_DRAW), {path, QStringLiteral("--font")}));
    std::map<std::string, int> metrics;
    std::string name;
    int value = 0;
    while (words >> name >> value)
        metrics[name] = value;
    return metrics;
}

// LovyanGFX's line is Dotrix's cell: as high, the baseline as far down, a space as wide.
void ExpectLineOfCell(const VlwFont &font)
{
    const std::map<std::string, int> line = LineMetrics(font.Path);
    EXPECT_EQ(line.at("glyphs"), int(font.Glyphs.size()));
    EXPECT_EQ(line.at("yAdvance"), font.Metrics.LineHeight);
    EXPECT_EQ(line.at("maxAscent"), font.Metrics.Baseline);
    if (font.Glyphs.count(U' '))
        EXPECT_EQ(line.at("spaceWidth"), font.Glyphs.at(U' ').Advance);
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
    std::string word, size;
    for (const auto &[codePoint, glyph] : font.Glyphs) {
        int width = 0, advance = 0, dX = 0;
        std::string code;
        out >> code;
        if (code == "MISSING") {
            out >> code;
            wrong.push_back(codePoint);
            continue;
        }
        out >> word >> width >> word >> advance >> word >> dX >> word >> size;
        const int boxWidth = std::stoi(size), boxHeight = std::stoi(size.substr(size.find('x') + 1));
        bool same = code == CodePointName(codePoint).toStdString() && advance == glyph.Advance
                    && dX == glyph.OffsetX && boxHeight == font.Metrics.LineHeight;
        for (int y = 0; y < boxHeight; ++y) {
            std::string row;
            out >> row;
            for (int x = 0; x < boxWidth && same; ++x)
                same = std::stoi(row.substr(size_t(x) * 2, 2), nullptr, 16) == glyph.Level(x - Margin + font.Metrics.PenX, y);
        }
        if (!same)
            wrong.push_back(codePoint);
    }
    return wrong;
}

// count characters of the list drawn from seed, with every printable ASCII character.
std::vector<CodePointChar> SeededSample(const std::vector<CodePointChar> &set, size_t count, unsigned seed)
{
    std::vector<CodePointChar> sample;
    std::sample(set.begin(), set.end(), std::back_inserter(sample), count, std::mt19937(seed));
    std::string ascii;
    for (char c = ' '; c < 0x7F; ++c)
        ascii += c;
    for (const CodePointChar &c : MapToCodePoints(ascii).Characters)
        sample.push_back(c);
    std::sort(sample.begin(), sample.end(), [](const auto &a, const auto &b) { return a.CodePoint < b.CodePoint; });
    sample.erase(std::unique(sample.begin(), sample.end(), [](const auto &a, const auto &b) { return a.CodePoint == b.CodePoint; }),
                 sample.end());
    return sample;
}

} // namespace

TEST(VlwFont, LovyanGfxDrawsEveryGlyphAsDotrixDrewIt)
{
    QTemporaryDir dir;
    const std::vector<CodePointChar> gb2312 = MapToCodePoints(LoadCharset(CharacterSet::GB2312, QString()).Text).Characters;
    ASSERT_GT(gb2312.size(), 7000u);
    const struct {
        const char *Name;
        std::vector<CodePointChar> List;
        std::vector<std::string> Options;
    } fonts[] = {{"gb2312-16", gb2312, {}},
                 {"sample-12", SeededSample(gb2312, 400, 12), {"--px", "12", "--size", "12x12"}},
                 // A line too high for the space's width: one glyph carries the line.
                 {"sample-24", SeededSample(gb2312, 400, 24), {"--font", "WenQuanYi Zen Hei", "--px", "24", "--size", "24x28"}}};
    for (const auto &f : fonts) {
        SCOPED_TRACE(f.Name);
        const VlwFont font = Export(f.List, SettingsOf(f.Options), dir.filePath(QString::fromLatin1(f.Name) + ".vlw"));
        ASSERT_EQ(font.Glyphs.size(), f.List.size());
        ExpectLineOfCell(font);
        const std::vector<char32_t> wrong = GlyphsDrawnOtherwise(font);
        EXPECT_TRUE(wrong.empty()) << wrong.size() << " glyphs drawn otherwise, the first " << CodePointName(wrong.front());
    }
}

TEST(VlwFont, LovyanGfxSetsMixedTextWhereFreeTypeSetsIt)
{
    // DOTRIX_VLW_PICTURE=docs/vlw-font.png also writes what LovyanGFX drew, three times enlarged,
    // for the README.
    QTemporaryDir dir;
    const GlyphSettings settings = SettingsOf({"--font", "WenQuanYi Zen Hei", "--px", "16"});
    const std::string list = Utf8ToCp936(MixedLine);
    const std::vector<CodePointChar> characters = MapToCodePoints(list).Characters;
    const VlwFont font = Export(characters, settings, dir.filePath("line.vlw"));
    ExpectLineOfCell(font);

    // Dotrix's line: each glyph's cell on the pen, the pen moving by the glyphs' advances.
    const std::u32string text = QString::fromUtf8(MixedLine).toStdU32String();
    std::vector<int> pens;
    int width = 0;
    for (char32_t c : text) {
        pens.push_back(width);
        width += font.Glyphs.at(c).Advance;
    }
    std::string error;
    const int freeType = consumers::FreeTypeAdvanceSum(QStringLiteral("WenQuanYi Zen Hei"), 16, text, &error);
    ASSERT_GT(freeType, 0) << error;
    EXPECT_LE(std::abs(width - freeType), 2) << width << " against " << freeType;

    const QString pgm = dir.filePath("line.pgm");
    std::istringstream measured(RunProgram(QStringLiteral(DOTRIX_LGFX_DRAW), {font.Path, QStringLiteral("--line"),
                                                                              QString::fromUtf8(MixedLine),
                                                                              QStringLiteral("--pgm"), pgm}));
    std::string word;
    int lovyanWidth = 0;
    measured >> word >> word >> lovyanWidth;
    EXPECT_EQ(lovyanWidth, width);
    QImage drawn(pgm);
    ASSERT_FALSE(drawn.isNull());
    drawn = drawn.convertToFormat(QImage::Format_Grayscale8);
    ASSERT_EQ(drawn.height(), font.Metrics.LineHeight);
    QImage expected(drawn.size(), QImage::Format_Grayscale8);
    expected.fill(0);
    for (size_t i = 0; i < text.size(); ++i) {
        const ExportGlyph &glyph = font.Glyphs.at(text[i]);
        for (int y = 0; y < glyph.CellHeight; ++y)
            for (int x = 0; x < glyph.CellWidth; ++x) {
                const int at = Margin + pens[i] + x - font.Metrics.PenX;
                if (glyph.Level(x, y) != 0 && at >= 0 && at < expected.width())
                    expected.scanLine(y)[at] = uchar(glyph.Level(x, y));
            }
    }
    int misplaced = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            misplaced += drawn.constScanLine(y)[x] != expected.constScanLine(y)[x];
    EXPECT_EQ(misplaced, 0);

    const QString path = qEnvironmentVariable("DOTRIX_VLW_PICTURE");
    if (!path.isEmpty()) {
        drawn.invertPixels(); // black ink on white paper
        EXPECT_TRUE(drawn.scaled(drawn.size() * 3).save(path)) << path.toStdString();
    }
}

TEST(VlwFont, CArrayHoldsTheFontsBytesCompilesAndNeverReplacesTheList)
{
    QTemporaryDir dir;
    const QString vlw = dir.filePath("cjk16.vlw");
    const std::string summary = RunProgram(QStringLiteral(DOTRIX_CLI_PATH), {"--export", "vlw", "--vlw-array", "cjk16_font",
                                                                             "--out", vlw, "中文 Hello"});
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
    EXPECT_TRUE(QFile::exists(dir.filePath("cjk16.o")));

    // A list that the array's header would replace is left as it is, and no font is written.
    const QString list = dir.filePath("menu.h");
    ASSERT_TRUE(testutil::WriteFileBytes(list, "中文\n"));
    RunProgram(QStringLiteral(DOTRIX_CLI_PATH), {"--export", "vlw", "--vlw-array", "menu", "--out", dir.filePath("menu.vlw"),
                                                 "--list", list}, {}, 1);
    EXPECT_EQ(testutil::ReadFileBytes(list), "中文\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("menu.vlw")));
}

TEST(VlwFont, WhatTheFormatCannotHoldIsRefusedAndNothingWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.vlw");
    const struct {
        const char *Why;
        std::vector<CodePointChar> List;
        std::vector<std::string> Options;
        bool Fit;
        QString Mentions;
    } cases[] = {
        {"a code point past U+FFFF", {{U'A', "A"}, {0x1F600, "?"}}, {}, true, QStringLiteral("U+1F600")},
        {"a glyph wider than 255 px", {{0x4E2D, Utf8ToCp936("中")}}, {"--px", "400", "--size", "480x420"}, true,
         QStringLiteral("U+4E2D")},
        {"a baseline above the cell", {{0x4E2D, Utf8ToCp936("中")}}, {"--offset", "0,-40"}, false, QStringLiteral("16")},
        {"a space narrower than so high a line draws it, and no glyph to carry the line",
         {{U' ', " "}, {0xB0, Utf8ToCp936("°")}}, {"--size", "16x48"}, true, QStringLiteral("13")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Why);
        FontExportRequest request;
        request.Format = ExportFormat::Vlw;
        request.Bpp = 8;
        request.OutPath = path;
        request.FitOffsetY = c.Fit;
        JobControl control;
        const FontExportResult result = ExportFont(c.List, SettingsOf(c.Options), request, control);
        EXPECT_EQ(result.State, FontExportResult::Failed);
        EXPECT_TRUE(testutil::Mentions(result.Error, c.Mentions)) << testutil::Describe(result.Error);
        EXPECT_FALSE(QFile::exists(path));
    }
}
