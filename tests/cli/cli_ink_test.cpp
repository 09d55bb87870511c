// dotrix-cli and ink outside the cell: every command says when the cell cut a glyph, --fit and
// the font exports place the glyphs so that it does not; sizes in pixels and fractions of points.

#include "cli/cliargs.h"
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

TEST(DotrixCliInk, FitAndFontExportsMoveTheGlyphsUpOrDownUntilTheirInkFits)
{
    QTemporaryDir dir;
    // Unifont's 中 fills all 16 rows: drawn 5 rows down, the cell cuts its foot off.
    const QStringList unifont{"--workdir", dir.path(), "--font", "Unifont", "--dots", "--preview"};
    const CliResult home = Cli(QStringList(unifont) << "中");
    const CliResult cut = Cli(QStringList(unifont) << "--offset" << "0,5" << "中");
    ASSERT_EQ(cut.ExitCode, 0) << cut.Err;
    EXPECT_TRUE(Has(cut.Err, "1 (中); offset 0,0 would hold all the ink")) << cut.Err;
    // --fit draws it whole again, and says where.
    const CliResult fit = Cli(QStringList(unifont) << "--offset" << "0,5" << "--fit" << "中");
    ASSERT_EQ(fit.ExitCode, 0) << fit.Err;
    EXPECT_EQ(fit.Out, home.Out);
    EXPECT_EQ(fit.Err, "dotrix-cli: note: glyphs placed at offset 0,0, chosen from their ink\n");
    // The batch fits the whole list once: the tallest glyph decides.
    CliResult run = Cli({"--workdir", dir.path(), "--font", "Unifont", "--batch", "--offset", "0,5", "--fit", "A中"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(Has(run.Err, "glyphs placed at offset 0,0,")) << run.Err;
    EXPECT_FALSE(Has(run.Err, "lose ink")) << run.Err;

    // The font export starts from the offset given with --fit (from 0,0 without --offset), moves it
    // by the least that holds the list's ink, says so in its header, and draws what the offset it
    // chose, given explicitly, draws.
    const QString bdf = dir.filePath("fit.bdf"), given = dir.filePath("given.bdf");
    run = Cli({"--export", "bdf", "--out", bdf, "--font", "Unifont", "--offset", "0,5", "--fit", "A中"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const std::string header = testutil::ReadFileBytes(bdf).substr(0, 700);
    EXPECT_TRUE(Has(header, "--offset 0,5 --fit --out fit.bdf")) << header;
    EXPECT_TRUE(Has(header, "\nCOMMENT Placement: offset 0,0, chosen so that the ink of every glyph lies within the "
                            "cell's height (moved from 0,5)\n")) << header;
    EXPECT_TRUE(Has(header, "\nFONT_DESCENT 2\n")) << header;
    EXPECT_TRUE(Has(run.Err, "glyphs placed at offset 0,0,")) << run.Err;
    run = Cli({"--export", "bdf", "--out", given, "--font", "Unifont", "--offset", "0,0", "A中"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(BdfGlyphs(bdf), BdfGlyphs(given));
    EXPECT_FALSE(Has(testutil::ReadFileBytes(given), "Placement"));
}

TEST(DotrixCliInk, ATallCjkFaceLosesNoInkInAnExport)
{
    // Droid Sans Fallback's ascent puts the bottom stroke of its hanzi below a 16-pixel cell.
    if (!QFontDatabase::hasFamily(QStringLiteral("Droid Sans Fallback")))
        GTEST_SKIP() << "Droid Sans Fallback (fonts-droid-fallback) is not installed";
    QTemporaryDir dir;
    CliResult run = Cli({"--workdir", dir.path(), "--font", "Droid Sans Fallback", "--preview", "温"});
    EXPECT_TRUE(Has(run.Err, "1 (温); offset 0,-")) << run.Err;
    const QString bdf = dir.filePath("droid.bdf");
    run = Cli({"--export", "bdf", "--out", bdf, "--font", "Droid Sans Fallback", "温中国一"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_FALSE(Has(run.Err, "lose ink")) << run.Err;
    const std::string header = testutil::ReadFileBytes(bdf).substr(0, 700);
    EXPECT_TRUE(Has(header, "COMMENT Placement: offset 0,-")) << header;
    EXPECT_FALSE(Has(header, "FONT_DESCENT -")) << header;
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

TEST(DotrixCliInk, PointsTakeOneFractionPixelsAreWholeAndOnlyOneOfThemIsGiven)
{
    const std::pair<std::vector<std::string>, double> taken[] = {
        {{"--font-size", "10.5"}, 10.5}, {{"--font-size=12"}, 12}, {{"--font-size", "720"}, 720},
        {{"--px", "16"}, 12}, {{"--px=14"}, 10.5}};
    for (const auto &[args, points] : taken) {
        std::vector<std::string> line = args;
        line.push_back("a");
        const CliParseResult r = ParseCliArgs(line);
        ASSERT_TRUE(r.Ok) << args[0] << ": " << r.Error;
        EXPECT_DOUBLE_EQ(r.Options.Settings.GlyphFont.PointSize, points) << args[0];
    }
    const std::vector<std::string> refused[] = {
        {"--font-size", "10."}, {"--font-size", ".5"}, {"--font-size", "10,5"}, {"--font-size", "1e1"},
        {"--font-size", "0.5"}, {"--font-size", "720.5"}, {"--px", "0"}, {"--px", "961"}, {"--px", "14.5"},
        {"--px", "14", "--font-size", "10"}, {"--font-size", "10", "--px", "14"}, {"--fit=1"}};
    for (const std::vector<std::string> &args : refused) {
        std::vector<std::string> line = args;
        line.push_back("a");
        const CliParseResult r = ParseCliArgs(line);
        EXPECT_FALSE(r.Ok) << args[0] << " " << args[1 % args.size()];
        EXPECT_FALSE(r.Error.empty());
    }
}
