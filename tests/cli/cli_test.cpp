// dotrix-cli run as a user runs it: output on stdout, errors on stderr, exit status, files.

#include "common/serialpeer.h"
#include "common/sourcetree.h"
#include "common/testutil.h"

#include "charset/collect.h"
#include "charset/cp936.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <csignal>
#include <sys/types.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs dotrix-cli with args; environment adds or replaces variables ("NAME=value").
CliRun Cli(const QStringList &args, const QStringList &environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(DOTRIX_CLI_PATH), args);
    process.closeWriteChannel();
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

} // namespace

TEST(DotrixCli, PreviewOfZhongInUnifontMatchesUnifontsBitmap)
{
    QTemporaryDir dir;
    const CliRun run = Cli({"--workdir", dir.path(), "--font", "Unifont", "--format", "c", "--preview", "中"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(testutil::MatchesGolden(run.out, "cli-preview-zhong-unifont-c.txt"));
    EXPECT_EQ(run.err, "");
}

TEST(DotrixCli, PreviewPrintsThePanesLinesForAssemblerTables)
{
    // The pane draws the label beside the first DB line and the later lines under it; "ZN" draws
    // no label, and numbered naming leaves the label empty (the DB lines one column in).
    QTemporaryDir dir;
    const QStringList asmPreview{"--workdir", dir.path(), "--font", "Unifont", "--format", "asm", "--preview"};
    CliRun run = Cli(QStringList(asmPreview) << "中");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(testutil::MatchesGolden(run.out, "cli-preview-zhong-unifont-asm.txt"));

    run = Cli(QStringList(asmPreview) << "--numbered" << "中");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "; * @ 中(16x16,V)@ *\n"
                       " DB  000H,000H,  000H,000H,  00FH,0F0H,  008H,020H\n"
                       " DB  008H,020H,  008H,020H,  008H,020H,  0FFH,0FFH\n"
                       " DB  008H,020H,  008H,020H,  008H,020H,  008H,020H\n"
                       " DB  00FH,0F0H,  000H,000H,  000H,000H,  000H,000H\n");

    run = Cli(QStringList(asmPreview) << "--scan" << "zn" << "中");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "; * @zhong 中(16x16,V)@ *\n"
                       "DB 000H,000H,00fH,008H,008H,008H,008H,0ffH,008H,008H,008H,008H,00fH,000H,000H,000H\n"
                       "DB 000H,000H,0f0H,020H,020H,020H,020H,0ffH,020H,020H,020H,020H,0f0H,000H,000H,000H\n");
}

TEST(DotrixCli, LineBreaksEndingTextAreNotDrawn)
{
    QTemporaryDir dir;
    const CliRun plain = Cli({"--workdir", dir.path(), "--format", "c", "中"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const std::string file = testutil::ReadFileBytes(dir.filePath("zhong0.c"));
    const CliRun preview = Cli({"--workdir", dir.path(), "--format", "c", "--preview", "中"});
    for (const char *ending : {"\n", "\r\n", "\n\n"}) {
        const QString text = QStringLiteral("中") + QString::fromLatin1(ending);
        CliRun run = Cli({"--workdir", dir.path(), "--format", "c", text});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("zhong0.c")), file);
        run = Cli({"--workdir", dir.path(), "--format", "c", "--preview", text});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, preview.out);
    }
    EXPECT_EQ(Cli({"--workdir", dir.path(), "\r\n"}).exitCode, 2); // nothing left to draw
}

TEST(DotrixCli, SingleGlyphWritesTheFileItPrints)
{
    QTemporaryDir dir;
    const CliRun run = Cli({"--workdir", dir.path(), "--font", "Unifont", "--format", "c", "--dots", "汉中"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QString path = dir.filePath("zhong0.c");
    EXPECT_TRUE(QString::fromStdString(run.out).endsWith(path + "\n"));
    // The dots come first: row 4 of Unifont's 中 is ..###########...
    EXPECT_NE(run.out.find("..###########...\n"), std::string::npos);
    const std::string bytes = testutil::ReadFileBytes(path);
    EXPECT_NE(bytes.find(testutil::Gbk("/* @zhong0 中(16x16,V)@ [mavo software]*/\r\nunsigned char zhong0[]={\r\n"
                                       "0x00,0x00,  0x00,0x00,  0x0F,0xF0,  0x08,0x20,  \r\n")),
              std::string::npos);
}

TEST(DotrixCli, CharactersWithoutCodeAreReportedAndSkipped)
{
    QTemporaryDir dir;
    const CliRun run = Cli({"--workdir", dir.path(), "--preview", "中😀"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("😀"), std::string::npos);
    EXPECT_NE(run.out.find("@zhong 中(16x16,V)@"), std::string::npos);
    EXPECT_EQ(Cli({"--workdir", dir.path(), "😀"}).exitCode, 2);
}

TEST(DotrixCli, FailuresExitNonZeroAndWriteNothing)
{
    QTemporaryDir dir;
    CliRun run = Cli({"--workdir", dir.path(), "--group", "32", "中"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("每组含字节数太多!"), std::string::npos);
    EXPECT_FALSE(QFile::exists(dir.filePath("zhong0.c")));

    run = Cli({"--workdir", dir.path(), "--size", "2048x16", "中"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("点阵太大，最大不能超过1024"), std::string::npos);

    run = Cli({"--workdir", dir.filePath("missing"), "中"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing"), std::string::npos);

    run = Cli({"--frobnicate", "中"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--frobnicate"), std::string::npos);
    EXPECT_EQ(run.out, "");
}

TEST(DotrixCli, PrintsTheListAfterConvertingDedupingFilteringAndSorting)
{
    QTemporaryDir dir;
    const QString utf8 = dir.filePath("list.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(utf8, "\xEF\xBB\xBF字ba漢汉，汉\r\n😀字"));
    const QString cp936 = dir.filePath("list936.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(cp936, testutil::Gbk("字ba汉\r\n")));
    const struct {
        QStringList args;
        std::string out;
        std::string count;
    } cases[] = {
        {{"--list", utf8}, "字ba漢汉，汉\r\n字\n", "10 characters"},
        {{"--list", utf8, "--dedupe"}, "字ba漢汉，\n", "6 characters"},
        {{"--list", utf8, "--to-simplified", "--dedupe", "--filter", "--sort"}, "汉字\n", "2 characters"},
        {{"--list", utf8, "--dedupe", "--sort"}, "ab，汉漢字\n", "6 characters"},
        {{"--list", cp936, "--list-encoding", "cp936", "--to-traditional"}, "字ba漢\r\n\n", "6 characters"},
    };
    for (const auto &c : cases) {
        const CliRun run = Cli(QStringList(c.args) << "--print-list");
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.join(' ').toStdString();
        EXPECT_NE(run.err.find(c.count), std::string::npos) << run.err;
    }
    // The emoji has no code: it is named on stderr.
    EXPECT_NE(Cli({"--list", utf8, "--print-list"}).err.find("😀"), std::string::npos);
}

TEST(DotrixCli, CharsetComesFromTheWorkDirectoryFirstThenBesideTheProgram)
{
    QTemporaryDir dir;
    CliRun run = Cli({"--workdir", dir.path(), "--charset", "gb2312", "--print-list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 6), "　、");
    EXPECT_NE(run.err.find("7445 characters"), std::string::npos);

    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("GBK.txt"), testutil::Gbk("汉字")));
    run = Cli({"--workdir", dir.path(), "--charset", "gbk", "--print-list"});
    EXPECT_EQ(run.out, "汉字\n");
    EXPECT_NE(run.err.find("2 characters"), std::string::npos);
}

TEST(DotrixCli, BadListFilesFailWithTheFileNamed)
{
    QTemporaryDir dir;
    const QString gbkBytes = dir.filePath("gbk.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(gbkBytes, testutil::Gbk("汉字")));
    const QString missing = dir.filePath("missing.txt");
    for (const QStringList &args : {QStringList{"--list", missing}, QStringList{"--list", dir.path()},
                                    QStringList{"--list", gbkBytes}}) {
        const CliRun run = Cli(QStringList(args) << "--print-list");
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_NE(run.err.find(args[1].toStdString()), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_NE(Cli({"--list", gbkBytes, "--print-list"}).err.find("--list-encoding cp936"), std::string::npos);
}

TEST(DotrixCli, BatchWritesAllFilesAndSummarises)
{
    QTemporaryDir dir;
    CliRun run = Cli({"--workdir", dir.path(), "--batch", "--data", "bin", "--index", "00FF", "--scan", "h",
                      "--save", dir.filePath("copy.bin"), "汉a"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("2 glyphs, 7 files"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("font.dat 68 bytes with index"), std::string::npos) << run.out;
    const std::string dat = testutil::ReadFileBytes(dir.filePath("font.dat"));
    ASSERT_EQ(dat.size(), 68u);
    EXPECT_EQ(dat.substr(0, 2), std::string("\xFF\x00", 2));
    EXPECT_EQ(dat.substr(34, 2), std::string("\x00\x01", 2));
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("copy.bin")), dat);
    EXPECT_TRUE(QFile::exists(dir.filePath("han0.c")));
    EXPECT_TRUE(QFile::exists(dir.filePath("0.bmp"))); // 'a' has no reading

    // Asked for together, the batch and the index table both keep their files (the batch clears
    // earlier runs' files, Index.c among them).
    run = Cli({"--workdir", dir.path(), "--batch", "--index-table", "汉a"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(QString::fromStdString(run.out).endsWith(dir.filePath("Index.c") + "\n")) << run.out;
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("Index.c")), "unsigned char Index[]={\r\n0xBA,0xBA,  0x61};");
    EXPECT_TRUE(QFile::exists(dir.filePath("han0.c")));
}

TEST(DotrixCli, BatchOptionsRefuseWhatCannotWork)
{
    QTemporaryDir dir;
    const struct {
        QStringList args;
        const char *mentions;
    } cases[] = {
        {{"--data", "dat", "a"}, "--batch"},
        {{"--batch", "--index", "0000", "a"}, "--data"},
        {{"--batch", "--data", "dat", "--index", "12345", "a"}, "索引值太长,必须是四位"},
        {{"--batch", "--data", "dat", "--index", "12G4", "a"}, "无效索引"},
        {{"--batch", "--data", "txt", "a"}, "--data"},
        {{"--batch", "--preview", "a"}, "--preview"},
    };
    for (const auto &c : cases) {
        const CliRun run = Cli(QStringList{"--workdir", dir.path()} + c.args);
        EXPECT_EQ(run.exitCode, 2) << c.mentions;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
    }
    // A save path that cannot be written fails the run after font.dat is made.
    const CliRun run = Cli({"--workdir", dir.path(), "--batch", "--data", "dat", "--save",
                            dir.filePath("no/such/dir/x.dat"), "a"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no/such/dir/x.dat"), std::string::npos) << run.err;
}

TEST(DotrixCli, PictureWritesItsNamedFile)
{
    QTemporaryDir dir;
    const CliRun run = Cli({"--workdir", dir.path(), "--format", "c", "--picture",
                            QStringLiteral(DOTRIX_GOLDEN_DIR "/pictures/colour.gif")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, dir.filePath("colour.c").toStdString() + "\n");
    const std::string text = testutil::ReadFileBytes(dir.filePath("colour.c"));
    EXPECT_NE(text.find("/* @colour (100x50,V)@ [mavo software]*/\r\nunsigned char colour[]={"), std::string::npos);

    const CliRun missing = Cli({"--workdir", dir.path(), "--picture", dir.filePath("none.gif")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.gif"), std::string::npos);
}

TEST(DotrixCli, FullDiskStopsTheBatchAndKeepsTheEarlierFontDat)
{
    // A file-size limit stands in for a full disk: All.c cannot grow past 100 KiB.
    QTemporaryDir dir;
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), "the earlier font.dat"));
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("notes.c"), "/* mine */"));
    QProcess shell;
    shell.start("/bin/sh", {"-c", QStringLiteral("ulimit -f 100; exec '%1' --workdir '%2' --batch --data dat "
                                                 "--charset gb2312")
                                      .arg(QStringLiteral(DOTRIX_CLI_PATH), dir.path())});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 1);
    const std::string err = shell.readAllStandardError().toStdString();
    EXPECT_NE(err.find("the batch stopped at character"), std::string::npos) << err;
    EXPECT_NE(err.find("All.c"), std::string::npos) << err;
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("font.dat")), "the earlier font.dat");
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("notes.c")), "/* mine */");
    EXPECT_FALSE(QFile::exists(dir.filePath("font.dat.part")));
}

TEST(DotrixCli, FailuresSayWhatFailedAndWhy)
{
    QTemporaryDir dir;
    const std::string isDirectory = std::strerror(EISDIR);
    // font.dat cannot replace a directory of that name, after every glyph was done.
    ASSERT_TRUE(QDir(dir.path()).mkdir("font.dat"));
    CliRun run = Cli({"--workdir", dir.path(), "--batch", "--data", "dat", "a"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("the batch failed while writing font.dat: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(isDirectory), std::string::npos) << run.err;

    run = Cli({"--workdir", dir.path(), "--copy-to", dir.filePath("font.dat")});
    EXPECT_NE(run.err.find("font.dat is missing"), std::string::npos) << run.err;
    ASSERT_TRUE(QDir(dir.path()).rmdir("font.dat"));

    // A copy under a name that is a directory says so.
    ASSERT_TRUE(QDir(dir.path()).mkdir("saved"));
    run = Cli({"--lang", "en", "--workdir", dir.path(), "--batch", "--data", "dat", "--save", dir.filePath("saved"), "a"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(dir.filePath("saved").toStdString() + ": " + isDirectory), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(dir.filePath("saved.part")));

    run = Cli({"--workdir", dir.path(), "--copy-to", dir.filePath("missing")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("missing does not exist"), std::string::npos) << run.err;
    run = Cli({"--workdir", dir.path(), "--copy-to", dir.filePath("All.c")});
    EXPECT_NE(run.err.find("All.c is not a directory"), std::string::npos) << run.err;

    // Every glyph refused (8-bit groups, 4-dot columns): an empty font.dat, and no index in it.
    run = Cli({"--workdir", dir.path(), "--size", "8x4", "--batch", "--data", "dat", "--index", "0000", "ab"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("font.dat 0 bytes, "), std::string::npos) << run.out;
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("font.dat")), "");
}

TEST(DotrixCli, DeliveryCopiesFontDatAndReportsWhatIsMissing)
{
    QTemporaryDir dir;
    QTemporaryDir stick;
    CliRun run = Cli({"--workdir", dir.path(), "--copy-to", stick.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("font.dat is missing"), std::string::npos) << run.err;

    run = Cli({"--workdir", dir.path(), "--batch", "--data", "bin", "--copy-to", stick.path(), "ab"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(testutil::ReadFileBytes(stick.filePath("font.dat")), testutil::ReadFileBytes(dir.filePath("font.dat")));
    EXPECT_EQ(testutil::ReadFileBytes(stick.filePath("font.dat")).size(), 64u);

    // No such port: the reason, not a hang.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TRELLON_PORT", dir.filePath("no-such-port"));
    env.insert("TRELLON_TIMEOUT_MS", "500");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(DOTRIX_CLI_PATH), {"--workdir", dir.path(), "--send-serial"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    const std::string err = process.readAllStandardError().toStdString();
    EXPECT_NE(err.find("font.dat was not sent"), std::string::npos) << err;
    EXPECT_NE(err.find("no-such-port"), std::string::npos) << err;
}

TEST(DotrixCli, MessagesFollowTheLanguageAndTheOutputDoesNot)
{
    QTemporaryDir dir;
    const QStringList tooBig = {"--workdir", dir.path(), "--size", "2048x16", "中"};
    const QStringList english = {"LANGUAGE=en"};
    const struct {
        QStringList args;
        QStringList environment;
        const char *says;
    } cases[] = {
        {tooBig, english, "dotrix-cli: The matrix is too big: at most 1024\n"},
        {QStringList{"--lang", "zh"} + tooBig, english, "dotrix-cli: 点阵太大，最大不能超过1024\n"},
        {QStringList{"--lang=en"} + tooBig, {}, "dotrix-cli: The matrix is too big: at most 1024\n"},
        {tooBig, {"LANGUAGE=zh_TW"}, "dotrix-cli: 点阵太大，最大不能超过1024\n"},
        {{"--lang", "en", "--group", "32", "中"}, {}, "dotrix-cli: Too many bytes in a group!\n"},
        {{"--lang", "en", "--batch", "--data", "dat", "--index", "12G4", "a"}, {},
         "dotrix-cli: bad value '12G4' for --index: Invalid index (four hex digits, such as 0000)\n"},
        {{"--lang", "fr", "中"}, {}, "dotrix-cli: bad value 'fr' for --lang: expected zh or en\n"},
    };
    for (const auto &c : cases) {
        const CliRun run = Cli(c.args, c.environment);
        EXPECT_EQ(run.err, c.says) << c.args.join(' ').toStdString();
        EXPECT_NE(run.exitCode, 0);
    }
    // What is written is data: the same bytes in both languages.
    const QStringList preview = {"--workdir", dir.path(), "--format", "c", "--preview", "中"};
    const CliRun chinese = Cli(QStringList{"--lang", "zh"} + preview);
    ASSERT_EQ(chinese.exitCode, 0) << chinese.err;
    EXPECT_EQ(Cli(QStringList{"--lang", "en"} + preview).out, chinese.out);
    EXPECT_NE(Cli({"--lang", "en", "--help"}).out.find("--lang zh|en"), std::string::npos);
}

TEST(DotrixCli, ExportWritesAnLvglFontAndSaysWhatItWrote)
{
    QTemporaryDir dir;
    const QString font = dir.filePath("font.c");
    const CliRun run = Cli({"--export", "lvgl", "--out", font, "--bpp", "2", "--font", "Unifont", "中A€中*/"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = testutil::ReadFileBytes(font);
    // Repeats go: 中, A, € and the two characters of "*/".
    const std::string summary = "5 glyphs, lvgl font dotrix_unifont_16 at 2 bpp, " + font.toStdString() + " "
                                + std::to_string(bytes.size()) + " bytes, ";
    EXPECT_EQ(run.out.substr(0, summary.size()), summary);
    EXPECT_EQ(run.out.back(), '\n');
    EXPECT_EQ(run.err, "");
    // The header says how to make the file again, without the folder it went to; "*/" in the
    // text cannot end the comment early.
    // No --offset given: the export chose the vertical one and says so; the command chooses it again.
    EXPECT_NE(bytes.find(" * Placement: offset 0,0, chosen so that the ink of every glyph lies within the cell's height\n"),
              std::string::npos)
        << bytes.substr(0, 700);
    EXPECT_NE(bytes.find(" *   dotrix-cli --export lvgl --bpp 2 --font Unifont --font-size 12 --size 16x16 "
                         "--out font.c -- '中A€中*''/'\n"),
              std::string::npos)
        << bytes.substr(0, 700);
    EXPECT_NE(bytes.find("const lv_font_t dotrix_unifont_16 = {"), std::string::npos);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.c"});
}

TEST(DotrixCli, ExportWritesBdfAndUnicodeKeyedFontsWithTheirPacking)
{
    QTemporaryDir dir;
    const QString bdf = dir.filePath("gb2312.bdf");
    CliRun run = Cli({"--export", "bdf", "--out", bdf, "--size", "16x18", "--advance", "cell", "--charset", "gb2312"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string bytes = testutil::ReadFileBytes(bdf);
    std::string summary = "7445 glyphs, bdf font at 1 bpp, " + bdf.toStdString() + " " + std::to_string(bytes.size())
                          + " bytes, ";
    EXPECT_EQ(run.out.substr(0, summary.size()), summary);
    const std::string head = "STARTFONT 2.1\nCOMMENT dotrix-cli --export bdf --advance cell --font '宋体' --font-size 12 --size 16x18 "
                             "--out gb2312.bdf --charset gb2312\nCOMMENT Placement: offset 0,2, chosen so that the ink "
                             "of every glyph lies within the cell's height (moved from 0,0)\nFONT -Dotrix-";
    // The two rows the cell has below the font's 16 pixels hold the diaeresis of Ё above them.
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    EXPECT_EQ(bytes.substr(bytes.size() - 16), "ENDCHAR\nENDFONT\n");

    // The packing options reach the file's header: 4 bpp, horizontal scan, inverted; half-cell
    // advances make a file of version 2, its entries with each glyph's advance.
    const QString ubin = dir.filePath("font.ubin");
    run = Cli({"--export", "ubin", "--out", ubin, "--bpp", "4", "--scan", "h", "--invert", "--advance", "half", "中A€"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    bytes = testutil::ReadFileBytes(ubin);
    summary = "3 glyphs, ubin font at 4 bpp, " + ubin.toStdString() + " " + std::to_string(bytes.size()) + " bytes, ";
    EXPECT_EQ(run.out.substr(0, summary.size()), summary);
    ASSERT_EQ(bytes.size(), 40u + 3 * 10 + 3 * 8 * 16 + 4);
    EXPECT_EQ(bytes.substr(0, 6), std::string("DXUB\x02\x00", 6));
    EXPECT_EQ(bytes.substr(48, 2) + bytes.substr(58, 2) + bytes.substr(68, 2), std::string("\x08\0\x08\0\x10\0", 6)); // A, €, 中
    EXPECT_EQ(bytes.substr(34, 4), std::string("\x04\x00\x08\x01", 4)); // bpp, scan, group bits, flags
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"font.ubin", "gb2312.bdf"}));
}

TEST(DotrixCli, ExportRefusesWhatItCannotWriteAndLeavesNothingHalfWritten)
{
    QTemporaryDir dir;
    const QString font = dir.filePath("font.c");
    ASSERT_TRUE(testutil::WriteFileBytes(font, "the earlier font"));
    const struct {
        QStringList args;
        int exitCode;
        const char *mentions;
    } cases[] = {
        {{"--bpp", "3"}, 2, "--bpp"},
        {{"--font-name", "9lives"}, 2, "--font-name"},
        {{"--font-name", "static"}, 2, "--font-name"},
        {{"--font-name", "my-font"}, 2, "--font-name"},
        {{"--out", dir.filePath("no/such/folder/font.c")}, 1, "no/such/folder/font.c"},
    };
    for (const auto &c : cases) {
        const CliRun run = Cli(QStringList{"--export", "lvgl", "--out", font} + c.args + QStringList{"中"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.mentions;
        EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    // A file-size limit stands in for a full disk: the font cannot grow past 100 KiB.
    QProcess shell;
    shell.start("/bin/sh", {"-c", QStringLiteral("ulimit -f 100; exec '%1' --lang en --export lvgl --bpp 4 --out '%2' "
                                                 "--charset gb2312")
                                      .arg(QStringLiteral(DOTRIX_CLI_PATH), font)});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitCode(), 1);
    const std::string err = shell.readAllStandardError().toStdString();
    EXPECT_NE(err.find("no font written: cannot write " + font.toStdString()), std::string::npos) << err;
    EXPECT_EQ(testutil::ReadFileBytes(font), "the earlier font");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"font.c"});
}

TEST(DotrixCli, EveryArrayAndLabelOfABatchIsAnIdentifierTheCompilerTakes)
{
    // Digits, Latin letters and punctuation have no reading: pinyin naming numbers them as the
    // numbered naming does. Their files keep the number; the arrays and labels get the prefix.
    const QString compiler = testutil::FindTool({QStringLiteral("gcc"), QStringLiteral("cc")});
    ASSERT_FALSE(compiler.isEmpty()) << "no C compiler";
    const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    for (const char *scan : {"h", "v", "zn"}) {
        for (const bool numbered : {false, true}) {
            for (const char *format : {"c", "asm"}) {
                SCOPED_TRACE(std::string(scan) + " " + format + (numbered ? " numbered" : " pinyin"));
                QTemporaryDir dir;
                QStringList args{"--workdir", dir.path(), "--font", "Unifont", "--batch", "--scan", scan,
                                 "--format", format};
                if (numbered)
                    args << "--numbered";
                const CliRun run = Cli(args << "中A1,中_");
                ASSERT_EQ(run.exitCode, 0) << run.err;
                const QStringList files = QDir(dir.path()).entryList({"*.c"}, QDir::Files);
                ASSERT_EQ(files.size(), 7) << files.join(' '); // six glyphs and All.c
                EXPECT_TRUE(files.contains("0.c")) << files.join(' ');
                if (std::string(format) == "c") {
                    QProcess cc;
                    cc.setWorkingDirectory(dir.path());
                    cc.setProcessChannelMode(QProcess::MergedChannels);
                    cc.start(compiler, QStringList{"-fsyntax-only", "-Wall", "-Werror", "-x", "c"} + files);
                    ASSERT_TRUE(cc.waitForFinished(60000));
                    EXPECT_EQ(cc.exitCode(), 0) << cc.readAll().toStdString();
                    continue;
                }
                // Assembler: a line that starts in the first column with neither a comment nor
                // DB starts with its label.
                for (const QString &file : files) {
                    const QString text = QString::fromLatin1(testutil::ReadFileBytes(dir.filePath(file)));
                    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                        if (line.startsWith(';') || line.startsWith("/*") || line.startsWith(' ') || line.startsWith("DB"))
                            continue;
                        const QString label = line.section(' ', 0, 0);
                        EXPECT_TRUE(identifier.match(label).hasMatch()) << file << ": " << line;
                    }
                }
            }
        }
    }
}

TEST(DotrixCli, OutputsGoThroughLinksToStdoutAndNeverOverTheList)
{
    QTemporaryDir dir;
    // "-" is the standard output: the font alone there, the summary on stderr.
    CliRun run = Cli({"--export", "bdf", "--out", "-", "--font", "Unifont", "中"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 14), "STARTFONT 2.1\n");
    EXPECT_EQ(run.out.substr(run.out.size() - 8), "ENDFONT\n");
    EXPECT_NE(run.err.find("1 glyphs, bdf font at 1 bpp, - "), std::string::npos) << run.err;

    // The list a run reads is not written over, by name or through a link.
    const QString list = dir.filePath("list.txt");
    ASSERT_TRUE(testutil::WriteFileBytes(list, "中国"));
    ASSERT_TRUE(QFile::link(list, dir.filePath("link.txt")));
    run = Cli({"--export", "lvgl", "--out", list, "--list", list});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(list.toStdString() + " is the list file this run reads"), std::string::npos) << run.err;
    run = Cli({"--workdir", dir.path(), "--batch", "--data", "dat", "--save", dir.filePath("link.txt"), "--list", list});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("link.txt is the list file this run reads"), std::string::npos) << run.err;
    EXPECT_EQ(testutil::ReadFileBytes(list), "中国");
    EXPECT_TRUE(QFileInfo(dir.filePath("link.txt")).isSymLink());
}

TEST(DotrixCli, EveryCommandThatDrawsSaysWhenTheFontIsNotInstalled)
{
    QTemporaryDir dir;
    const std::string says = "dotrix-cli: font 'No Such Font 123' is not installed; the nearest installed font is used\n";
    const QStringList font = {"--font", "No Such Font 123"};
    const QStringList commands[] = {
        {"--workdir", dir.path(), "中"},
        {"--workdir", dir.path(), "--batch", "中"},
        {"--export", "bdf", "--out", dir.filePath("font.bdf"), "中"},
    };
    for (const QStringList &command : commands) {
        const CliRun run = Cli(font + command);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        // First, before any note on how the nearest font's glyphs fit the cell.
        EXPECT_EQ(run.err.substr(0, says.size()), says) << command.join(' ').toStdString();
    }
}

// Ctrl-C stops a running batch at its next character: the glyph files written so far stay, the
// message says how far it got, and the exit status is a failure. A second Ctrl-C is not needed.
TEST(CliInterrupt, CtrlCStopsABatchAndKeepsWhatItWrote)
{
    QTemporaryDir dir;
    QProcess process;
    process.start(QStringLiteral(DOTRIX_CLI_PATH), {"--font", "AR PL UMing CN", "--charset", "gbk", "--batch",
                                                    "--workdir", dir.path()});
    ASSERT_TRUE(process.waitForStarted());
    const QDir work(dir.path());
    QElapsedTimer waited;
    waited.start();
    while (work.entryList({"*.c"}, QDir::Files).size() < 100 && waited.elapsed() < 60000)
        QThread::msleep(10);
    ASSERT_EQ(kill(pid_t(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "the signal ended the program instead of the run";
    EXPECT_EQ(process.exitCode(), 1);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    const QRegularExpressionMatch stopped =
        QRegularExpression(QStringLiteral("interrupted after (\\d+) of (\\d+) characters")).match(err);
    ASSERT_TRUE(stopped.hasMatch()) << err.toStdString();
    const int glyphs = stopped.captured(1).toInt();
    EXPECT_LT(glyphs, stopped.captured(2).toInt());
    // Every glyph the message counts has its source file, and All.c holds them.
    EXPECT_EQ(work.entryList({"*.c"}, QDir::Files).size(), glyphs + 1);
    EXPECT_TRUE(work.exists(QStringLiteral("All.c")));
}

TEST(DotrixCli, CollectTakesTheListFromTheSourcesAndKeepsTheirPathsOutOfTheFont)
{
    QTemporaryDir dir;
    const QString tree = dir.filePath("firmware");
    const testutil::SourceTree made = testutil::WriteSourceTree(tree, 7, 30);
    std::string utf8;
    for (char32_t c : made.Collected)
        if (c >= 0x20 && c != 0x7F)
            utf8 += QString::fromUcs4(&c, 1).toStdString();
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("also.txt"), "\xEF\xBB\xBF" "鑫\n"));
    CliRun run = Cli({"--collect", tree, "--also", "Ω", "--also-list", dir.filePath("also.txt"), "--print-list"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The list is in code point order; characters without a code in code page 936 (the emoji) are
    // named on stderr and left out.
    std::string expected = utf8;
    for (const char *added : {"Ω", "鑫"})
        expected += added;
    const QList<uint> sorted = [&] {
        QList<uint> all = QString::fromStdString(expected).toUcs4();
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        return all;
    }();
    const std::string inOrder = QString::fromUcs4(reinterpret_cast<const char32_t *>(sorted.data()), sorted.size()).toStdString();
    EXPECT_EQ(run.out, Cp936ToUtf8(Utf8ToCp936(inOrder)) + "\n");
    EXPECT_NE(run.err.find("collected " + std::to_string(QString::fromStdString(utf8).toUcs4().size()) + " characters from "
                           + std::to_string(made.Files) + " files"),
              std::string::npos)
        << run.err;
    const auto firstLeftOut = std::find_if(made.Collected.begin(), made.Collected.end(), [](char32_t c) {
        return c >= 0x20 && Utf8ToCp936(QString::fromUcs4(&c, 1).toStdString()).empty();
    });
    ASSERT_NE(firstLeftOut, made.Collected.end());
    EXPECT_NE(run.err.find("have no code in code page 936; left out: " + QString::fromUcs4(&*firstLeftOut, 1).toStdString()),
              std::string::npos)
        << run.err;
    // The file that is no UTF-8 text is named, with the way to read it.
    EXPECT_NE(run.err.find("1 file not UTF-8 text, skipped (for code page 936 sources add --collect-encoding cp936): "
                           + tree.toStdString() + "/src/legacy.c\n"),
              std::string::npos)
        << run.err;

    // The same sources elsewhere give the same font, byte for byte.
    QTemporaryDir other;
    testutil::WriteSourceTree(other.filePath("elsewhere"), 7, 30);
    std::string fonts[2];
    for (int i = 0; i < 2; ++i) {
        const QString out = (i ? other : dir).filePath("font.bdf");
        run = Cli({"--collect", i ? other.filePath("elsewhere") : tree, "--font", "Unifont", "--px", "16", "--export",
                   "bdf", "--out", out});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        fonts[i] = testutil::ReadFileBytes(out);
    }
    EXPECT_FALSE(fonts[0].empty());
    EXPECT_EQ(fonts[0], fonts[1]);
    EXPECT_EQ(fonts[0].find(dir.path().toStdString()), std::string::npos);
}

// The dependency file names the font as its target and, as Make reads it, every file and folder
// the collect walked (not the skipped build and version-control folders), the added list and the
// font's face; a path with a space survives the escaping.
TEST(DotrixCli, DepfileNamesEveryFileTheFontIsMadeFrom)
{
    QTemporaryDir dir;
    const QString tree = dir.filePath("fw sources");
    testutil::WriteSourceTree(tree, 11, 20);
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("also.txt"), "鑫"));
    const QString out = dir.filePath("ui font.bdf"), depfile = dir.filePath("ui.d");
    const CliRun run = Cli({"--collect", tree, "--also-list", dir.filePath("also.txt"), "--font", "Unifont", "--export",
                            "bdf", "--out", out, "--depfile", depfile});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // Make's reading: backslash-newline joins lines, "\ " is a space inside a name.
    QString text = QString::fromStdString(testutil::ReadFileBytes(depfile));
    text.replace(QStringLiteral("\\\n"), QStringLiteral(" "));
    ASSERT_TRUE(text.endsWith('\n') && text.count('\n') == 1) << text.toStdString();
    QStringList words;
    QString word;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '#')) {
            word += text[++i];
        } else if (text[i].isSpace()) {
            if (!word.isEmpty())
                words += std::exchange(word, QString());
        } else {
            word += text[i];
        }
    }
    ASSERT_GE(words.size(), 3);
    EXPECT_EQ(words.takeFirst(), out + ":");

    QStringList expected = {tree};
    QDirIterator walk(tree, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString path = walk.next();
        bool skipped = false;
        for (const QString &part : QDir(tree).relativeFilePath(path).split('/'))
            skipped = skipped || IsSkippedFolderName(part);
        if (!skipped)
            expected += path;
    }
    expected += dir.filePath("also.txt");
    const QString face = words.takeLast();
    EXPECT_TRUE(QFileInfo(face).isFile() && face.contains("unifont", Qt::CaseInsensitive)) << face.toStdString();
    words.sort();
    expected.sort();
    EXPECT_EQ(words, expected);
}
