// dotrix-cli's argument parser: every option's values, and bad input refused with a clear message.

#include "cli/cliargs.h"
#include "cli/clioptiontable.h"
#include "l10n/language.h"

#include <gtest/gtest.h>

#include <set>

namespace {
CliParseResult Parse(std::vector<std::string> args)
{
    return ParseCliArgs(args);
}
} // namespace

TEST(CliArgs, DefaultsMatchTheProgramsStartingSettings)
{
    const CliParseResult r = Parse({"中"});
    ASSERT_TRUE(r.Ok) << r.Error;
    const GlyphSettings &s = r.Options.Settings;
    EXPECT_EQ(r.Options.Text, "中");
    EXPECT_EQ(s.Width, 16);
    EXPECT_EQ(s.Height, 16);
    EXPECT_EQ(s.ScanMode, ScanOrder::Vertical);
    EXPECT_EQ(s.GroupDigits, 2);
    EXPECT_EQ(s.OutputFormat, SourceFormat::Typical);
    EXPECT_EQ(s.GlyphFont.Face, QString::fromUtf8("宋体"));
    EXPECT_EQ(s.GlyphFont.PointSize, 12);
    EXPECT_FALSE(r.Options.Preview);
}

TEST(CliArgs, OptionsSetTheirSettings)
{
    const CliParseResult r = Parse({"--font", "Unifont", "--font-size=24", "--size", "24x32", "--offset", "-3,+2",
                                    "--scan", "zn", "--group", "12", "--invert", "--bit-reverse", "--format=asm",
                                    "--numbered", "--workdir", "/tmp/x", "--preview", "--dots", "--", "-a"});
    ASSERT_TRUE(r.Ok) << r.Error;
    const GlyphSettings &s = r.Options.Settings;
    EXPECT_EQ(s.GlyphFont.Face, "Unifont");
    EXPECT_EQ(s.GlyphFont.PointSize, 24);
    EXPECT_EQ(std::pair(s.Width, s.Height), std::pair(24, 32));
    EXPECT_EQ(std::pair(s.OffsetX, s.OffsetY), std::pair(-3, 2));
    EXPECT_EQ(s.ScanMode, ScanOrder::ZN);
    EXPECT_EQ(s.GroupDigits, 3);
    EXPECT_TRUE(s.Invert && s.BitReverse && s.NumberedNames);
    EXPECT_EQ(s.OutputFormat, SourceFormat::AsmTable);
    EXPECT_EQ(r.Options.WorkDir, "/tmp/x");
    EXPECT_TRUE(r.Options.Preview && r.Options.Dots);
    EXPECT_EQ(r.Options.Text, "-a");
}

TEST(CliArgs, GroupBitsMapToDigits)
{
    const std::pair<const char *, int> cases[] = {{"4", 1}, {"8", 2}, {"12", 3}, {"16", 4}, {"24", 6}, {"32", 8}};
    for (auto [bits, digits] : cases) {
        const CliParseResult r = Parse({"--group", bits, "a"});
        ASSERT_TRUE(r.Ok) << bits;
        EXPECT_EQ(r.Options.Settings.GroupDigits, digits) << bits;
    }
}

TEST(CliArgs, BadInputIsRefusedWithAMessageNamingIt)
{
    const struct {
        std::vector<std::string> args;
        const char *mentions;
    } cases[] = {
        {{"--size", "1025x16", "a"}, "at most 1024"},
        {{"--size", "16x2000", "a"}, "at most 1024"},
        {{"--size", "0x16", "a"}, "--size"},
        {{"--size", "-4x16", "a"}, "--size"},
        {{"--size", "16", "a"}, "--size"},
        {{"--size", "axb", "a"}, "--size"},
        {{"--offset", "1", "a"}, "--offset"},
        {{"--offset", "1,y", "a"}, "--offset"},
        {{"--offset", "99999999999,0", "a"}, "--offset"},
        {{"--offset", "+-2,+-3", "a"}, "--offset"},
        {{"--scan", "x", "a"}, "--scan"},
        {{"--group", "7", "a"}, "--group"},
        {{"--group", "", "a"}, "--group"},
        {{"--format", "pascal", "a"}, "--format"},
        {{"--font-size", "0", "a"}, "--font-size"},
        {{"--font", "", "a"}, "--font"},
        {{"--bogus", "a"}, "--bogus"},
        {{"-x", "a"}, "-x"},
        {{"--invert=yes", "a"}, "--invert"},
        {{"a", "--size"}, "--size"},
        {{}, "TEXT"},
        {{"a", "b"}, "'b'"},
        {{"--charset", "big5", "--print-list"}, "--charset"},
        {{"--list", "", "--print-list"}, "--list"},
        {{"--list", "l.txt", "--list-encoding", "gbk", "--print-list"}, "--list-encoding"},
        {{"--list", "l.txt", "--charset", "gbk", "--print-list"}, "choose one"},
        {{"--charset", "gbk", "--to-traditional", "--to-simplified", "--print-list"}, "choose one"},
        {{"--sort", "--print-list"}, "--sort works on the character list"},
        {{"--print-list"}, "--print-list works on the character list"},
        {{"--charset", "gbk", "--list-encoding", "cp936", "--print-list"}, "--list-encoding applies to --list"},
        {{"--charset", "gbk", "a"}, "--print-list"},
        {{"--collect", "src", "--list", "l.txt", "--print-list"}, "does not go with --list"},
        {{"--also", "0", "--charset", "gbk", "--print-list"}, "--also goes with --collect"},
        {{"--collect-comments", "--list", "l.txt", "--print-list"}, "--collect-comments goes with --collect"},
        {{"--collect", "src", "--collect-encoding", "gbk", "--print-list"}, "--collect-encoding"},
        {{"--export", "ttf", "--out", "f.c", "a"}, "--export"},
        {{"--export", "lvgl", "a"}, "--out FILE"},
        {{"--out", "f.c", "a"}, "go with --export"},
        {{"--bpp", "4", "a"}, "go with --export"},
        {{"--export", "lvgl", "--out", "f.c", "--bpp", "3", "a"}, "--bpp"},
        {{"--export", "lvgl", "--out", "f.c", "--bpp", "16", "a"}, "--bpp"},
        {{"--export", "lvgl", "--out", "f.c", "--font-name", "a b", "a"}, "--font-name"},
        {{"--export", "lvgl", "--out", "f.c", "--font-name", "_Bool", "a"}, "--font-name"},
        {{"--export", "lvgl", "--out", "f.c", "--batch", "a"}, "one font file"},
        {{"--export", "lvgl", "--out", "f.c", "--preview", "a"}, "one font file"},
        {{"--export", "lvgl", "--out", "f.c"}, "TEXT"},
        {{"--export", "bdf", "--out", "f.bdf", "--bpp", "2", "a"}, "bdf files take 1"},
        {{"--export", "ubin", "--out", "f.ubin", "--bpp", "3", "a"}, "--bpp"},
        {{"--export", "ubin", "--out", "f.ubin", "--font-name", "cjk", "a"}, "ubin files take no font name"},
        {{"--export", "vlw", "--out", "f.vlw", "--bpp", "4", "a"}, "vlw files take 8"},
        {{"--vlw-array", "cjk", "a"}, "go with --export"},
        {{"--export", "vlw", "--out", "f.vlw", "--vlw-array", "1cjk", "a"}, "--vlw-array"},
        {{"--export", "lvgl", "--out", "f.c", "--vlw-array", "cjk", "a"}, "lvgl files have no C array form"},
        {{"--export", "vlw", "--out", "f.h", "--vlw-array", "cjk", "a"}, "f.h cannot be the font file's name"},
    };
    // The messages as dotrix-cli shows them in English.
    SetLanguage(Language::English, QtTexts::English);
    for (const auto &c : cases) {
        const CliParseResult r = Parse(c.args);
        EXPECT_FALSE(r.Ok) << c.mentions;
        EXPECT_NE(r.Error.find(c.mentions), std::string::npos) << r.Error;
    }
    SetLanguage(Language::Chinese, QtTexts::English);
}

TEST(CliArgs, ExportTakesTheListOrText)
{
    CliParseResult r = Parse({"--export=lvgl", "--out", "f.c", "--bpp", "8", "--font-name", "_cjk16", "--charset",
                              "gb2312", "--dedupe"});
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Options.Export, ExportFormat::Lvgl);
    EXPECT_EQ(r.Options.OutPath, "f.c");
    EXPECT_EQ(r.Options.Bpp, 8);
    EXPECT_EQ(r.Options.FontName, "_cjk16");
    EXPECT_EQ(r.Options.Text, "");

    r = Parse({"--export", "lvgl", "--out", "f.c", "中文"});
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Options.Bpp, 1);
    EXPECT_EQ(r.Options.FontName, "");
    EXPECT_EQ(r.Options.Text, "中文");
}

TEST(CliArgs, HelpAndVersionNeedNoText)
{
    EXPECT_TRUE(Parse({"--help"}).Ok);
    EXPECT_TRUE(Parse({"--version"}).Options.Version);
    EXPECT_NE(CliUsage().find("--workdir"), std::string::npos);
}

TEST(CliArgs, ListOptionsSetTheListAndMakeTextOptional)
{
    CliParseResult r = Parse({"--list", "l.txt", "--list-encoding=cp936", "--dedupe", "--filter", "--sort",
                              "--to-simplified", "--print-list"});
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Options.ListFile, "l.txt");
    EXPECT_TRUE(r.Options.ListIsCp936 && r.Options.Dedupe && r.Options.Filter && r.Options.Sort);
    EXPECT_TRUE(r.Options.ToSimplified && r.Options.PrintList && !r.Options.ToTraditional);
    EXPECT_EQ(r.Options.Text, "");

    r = Parse({"--collect", "src", "--collect=lang/zh.po", "--collect-encoding", "cp936", "--also", "0",
               "--also=℃", "--also-list", "a.txt", "--batch"});
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Options.CollectPaths, QStringList({"src", "lang/zh.po"}));
    EXPECT_TRUE(r.Options.CollectIsCp936 && !r.Options.CollectComments);
    EXPECT_EQ(r.Options.Also, "0℃");
    EXPECT_EQ(r.Options.AlsoList, "a.txt");

    r = Parse({"--charset", "gb2312", "--print-list", "--preview", "中"});
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(r.Options.Charset, CharacterSet::GB2312);
    EXPECT_EQ(r.Options.Text, "中");
}

// Every word of every mode is taken by its option and comes back as the same word, and the help
// names each one: the parser, the help and the words are one table.
TEST(CliArgs, EveryModeWordParsesToItsModeAndTheHelpNamesIt)
{
    const std::string usage = CliUsage();
    const auto check = [&](const char *option, auto mode, std::vector<std::string> extra, auto read) {
        const std::string word = WordOfMode(mode);
        std::vector<std::string> args = {std::string("--") + option, word};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliParseResult r = Parse(args);
        ASSERT_TRUE(r.Ok) << option << " " << word << ": " << r.Error;
        EXPECT_EQ(read(r.Options), mode) << option << " " << word;
        EXPECT_NE(usage.find(word), std::string::npos) << word << " is not in the help";
    };
    for (const auto &[scan, word] : ModeWords<ScanOrder>::Table)
        check("scan", scan, {"a"}, [](const CliOptions &o) { return o.Settings.ScanMode; });
    for (const auto &[format, word] : ModeWords<SourceFormat>::Table)
        check("format", format, {"a"}, [](const CliOptions &o) { return o.Settings.OutputFormat; });
    for (const auto &[data, word] : ModeWords<DataFile>::Table)
        check("data", data, {"--batch", "a"}, [](const CliOptions &o) { return o.Data; });
    for (const auto &[set, word] : ModeWords<CharacterSet>::Table)
        check("charset", set, {"--print-list"}, [](const CliOptions &o) { return *o.Charset; });
    for (const auto &[format, word] : ModeWords<ExportFormat>::Table)
        check("export", format, {"--out", "f", "a"}, [](const CliOptions &o) { return *o.Export; });
}

// Each option the parser takes has a line in the help, and the help lists no option it does not
// take.
TEST(CliArgs, TheHelpListsExactlyTheOptionsTheParserTakes)
{
    const std::string usage = CliUsage();
    std::set<std::string> listed;
    for (size_t at = usage.find("\n  --"); at != std::string::npos; at = usage.find("\n  --", at + 1))
        listed.insert(usage.substr(at + 5, usage.find_first_of(" \n", at + 5) - at - 5));
    std::set<std::string> taken;
    for (const OptionSection &section : OptionSections())
        for (const OptionSpec &option : section.Options) {
            taken.insert(option.Name);
            EXPECT_NE(FindOption(option.Name), nullptr) << option.Name;
        }
    EXPECT_EQ(listed, taken);
    EXPECT_NE(usage.find("(default 宋体)"), std::string::npos) << "the help names the default face";
}
