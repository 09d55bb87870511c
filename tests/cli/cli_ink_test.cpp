// dotrix-cli and ink outside the cell: every command says when the cell cut a glyph, --fit and
// the font exports place the glyphs so that it does not; sizes in pixels and fractions of points.

#include "common/testutil.h"

#include <QFontDatabase>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliResult
{
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

CliResult Cli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(DOTRIX_CLI_PATH), QStringList(args) << "--lang" << "en");
    process.closeWriteChannel();
    CliResult run;
    if (!process.waitForFinished(60000))
        return run;
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

bool Has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// The file from its first line that starts with STARTCHAR: the glyphs without the header.
std::string BdfGlyphs(const QString &path)
{
    const std::string bytes = testutil::ReadFileBytes(path);
    return bytes.substr(std::min(bytes.size(), bytes.find("\nSTARTCHAR")));
}

} // namespace

TEST(DotrixCliInk, EveryCommandSaysWhenTheCellCutsAGlyphAndStillSucceeds)
{
    QTemporaryDir dir;
    // The default face at 24 points is a 32-pixel glyph: a 16 x 16 cell cuts it.
    CliResult run = Cli({"--workdir", dir.path(), "--font-size", "24", "--preview", "温"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Has(run.Err, "glyphs that lose ink outside the 16 x 16 cell: 1 (温)")) << run.Err;
    EXPECT_TRUE(Has(run.Err, "cell (offset ")) << run.Err; // a larger cell, and where, would hold it
    run = Cli({"--workdir", dir.path(), "--font-size", "24", "温"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Has(run.Err, "1 (温)")) << run.Err;
    // The batch counts them and names the first few.
    run = Cli({"--workdir", dir.path(), "--batch", "--size", "16x10", "中国人民共和"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Has(run.Err, "outside the 16 x 10 cell: 6 (中 国 人 民 共 …)")) << run.Err;
    // A glyph the cell holds draws without a word.
    run = Cli({"--workdir", dir.path(), "--preview", "温"});
    EXPECT_EQ(run.Err, "");
}

TEST(DotrixCliInk, FitAndFontExportsMoveATallFaceUpUntilItsInkFits)
{
    if (!QFontDatabase::hasFamily(QStringLiteral("Droid Sans Fallback")))
        GTEST_SKIP() << "Droid Sans Fallback (fonts-droid-fallback) is not installed";
    QTemporaryDir dir;
    const QStringList droid{"--workdir", dir.path(), "--font", "Droid Sans Fallback", "--dots", "--preview"};
    // Its ascent puts the bottom stroke of 温 below a 16-pixel cell.
    CliResult cut = Cli(QStringList(droid) << "温");
    ASSERT_EQ(cut.ExitCode, 0) << cut.Err;
    ASSERT_TRUE(Has(cut.Err, "1 (温); offset 0,")) << cut.Err;
    // --fit draws it as the offset named would, whole.
    const size_t at = cut.Err.find("; offset ") + 9;
    const QString offset = QString::fromStdString(cut.Err.substr(at, cut.Err.find(' ', at) - at)); // "0,-2"
    const CliResult fit = Cli(QStringList(droid) << "--fit" << "温");
    const CliResult moved = Cli(QStringList(droid) << "--offset" << offset << "温");
    ASSERT_EQ(fit.ExitCode, 0) << fit.Err;
    EXPECT_EQ(fit.Out, moved.Out);
    EXPECT_NE(fit.Out, cut.Out);
    EXPECT_TRUE(Has(fit.Err, "glyphs placed at offset 0,")) << fit.Err;
    EXPECT_FALSE(Has(fit.Err, "lose ink")) << fit.Err;
    EXPECT_EQ(moved.Err, "");

    // The font export places the set so that its ink fits, says so in the header, and its
    // glyphs are those of the offset it chose, given explicitly.
    const QString bdf = dir.filePath("auto.bdf"), given = dir.filePath("given.bdf");
    CliResult run = Cli({"--export", "bdf", "--out", bdf, "--font", "Droid Sans Fallback", "温中国一"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const std::string header = testutil::ReadFileBytes(bdf).substr(0, 600);
    const size_t placement = header.find("COMMENT Placement: offset 0,-");
    ASSERT_NE(placement, std::string::npos) << header;
    EXPECT_TRUE(Has(header, "chosen so that the ink of every glyph lies inside the cell (moved from 0,0)\n")) << header;
    EXPECT_FALSE(Has(header, "FONT_DESCENT -")) << header;
    EXPECT_FALSE(Has(run.Err, "lose ink")) << run.Err;
    const size_t from = placement + 26; // "0,-3"
    const std::string chosen = header.substr(from, header.find(',', from + 2) - from);
    run = Cli({"--export", "bdf", "--out", given, "--font", "Droid Sans Fallback", "--offset",
               QString::fromStdString(chosen), "温中国一"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(BdfGlyphs(bdf), BdfGlyphs(given));
    EXPECT_FALSE(Has(testutil::ReadFileBytes(given), "Placement"));
}

TEST(DotrixCliInk, SizesInPixelsAndFractionsOfPoints)
{
    QTemporaryDir dir;
    const QStringList preview{"--workdir", dir.path(), "--font", "Unifont", "--dots", "--preview"};
    // 15 pixels lie between 11 points (14 pixels) and 12 (16): 11.25 points and --px 15 reach them.
    const CliResult points = Cli(QStringList(preview) << "--font-size" << "11.25" << "中");
    const CliResult pixels = Cli(QStringList(preview) << "--px" << "15" << "中");
    ASSERT_EQ(points.ExitCode, 0) << points.Err;
    EXPECT_EQ(points.Out, pixels.Out);
    EXPECT_NE(points.Out, Cli(QStringList(preview) << "--font-size" << "11" << "中").Out);
    EXPECT_NE(points.Out, Cli(QStringList(preview) << "--font-size" << "12" << "中").Out);
    EXPECT_EQ(Cli(QStringList(preview) << "--px" << "16" << "中").Out, Cli(QStringList(preview) << "中").Out);
    // The export's header names the size as given, and the BDF its tenths of a point.
    const QString lvgl = dir.filePath("f.c"), bdf = dir.filePath("f.bdf");
    ASSERT_EQ(Cli({"--export", "lvgl", "--out", lvgl, "--font-size", "10.5", "中"}).ExitCode, 0);
    const std::string c = testutil::ReadFileBytes(lvgl);
    EXPECT_TRUE(Has(c, ", 14 px (10.5 pt)\n")) << c.substr(0, 600);
    EXPECT_TRUE(Has(c, "--font-size 10.5 --size 16x16 --out f.c")) << c.substr(0, 600);
    ASSERT_EQ(Cli({"--export", "bdf", "--out", bdf, "--px", "14", "中"}).ExitCode, 0);
    const std::string b = testutil::ReadFileBytes(bdf);
    EXPECT_TRUE(Has(b, "\nPOINT_SIZE 105\n") && Has(b, "\nPIXEL_SIZE 14\n") && Has(b, "\nRESOLUTION_Y 96\n")) << b.substr(0, 900);
}
