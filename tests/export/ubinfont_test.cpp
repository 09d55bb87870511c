// The Unicode-keyed font file read by the firmware reader of examples/firmware (built as C99 and
// run under AddressSanitizer): a whole GB2312 set against the batch's own font.dat, every packing
// at every depth against the levels Dotrix drew, damaged files, the demo's drawing, refusals, and
// the worked example of docs/font-format.md.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "common/testutil.h"
#include "consumers.h"
#include "encode/batchrun.h"
#include "export/fontexport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>


using testutil::Gbk;

namespace {

FontExportResult ExportUbin(const std::string &list, const GlyphSettings &settings, int bpp, const QString &path,
                            AdvanceMode advance = AdvanceMode::Font, bool fit = false)
{
    FontExportRequest request;
    request.Format = ExportFormat::Ubin;
    request.Bpp = bpp;
    request.Advance = advance;
    request.OutPath = path;
    request.FitOffsetY = fit; // without: the batch's offset, so that the dots are the batch's
    JobControl control;
    return ExportFont(MapToCodePoints(list).Characters, settings, request, control);
}

// The batch's font.dat of list, made in its own scratch directory with these settings.
std::string BatchFontDat(const std::string &list, const GlyphSettings &settings)
{
    testutil::Scratch batch;
    batch.settings = settings;
    JobControl control;
    const BatchResult run = BatchGenerate(list, batch.settings, batch.matrix, batch.output, DataFile::Dat, control);
    EXPECT_EQ(run.State, BatchResult::Done) << testutil::Describe(run.Error);
    return testutil::ReadFileBytes(run.DataPath);
}

// The files the firmware reader checks: the Unicode font file of list, the batch's font.dat of
// it, and the list as UTF-8, written in dir.
struct ReaderCase
{
    std::string Trace;
    QStringList Files; // font, list, font.dat
    int Glyphs = 0;
};

ReaderCase MakeReaderCase(const std::string &list, const GlyphSettings &settings, const QString &dir)
{
    ReaderCase c;
    c.Trace = std::to_string(settings.Width) + "x" + std::to_string(settings.Height) + " scan "
              + WordOfMode(settings.ScanMode);
    c.Files = {QDir(dir).filePath("font.ubin"), QDir(dir).filePath("list.txt"), QDir(dir).filePath("font.dat")};
    c.Glyphs = int(CountChars(list));
    const FontExportResult exported = ExportUbin(list, settings, 1, c.Files[0]);
    EXPECT_EQ(exported.State, FontExportResult::Done) << testutil::Describe(exported.Error);
    EXPECT_TRUE(testutil::WriteFileBytes(c.Files[1], Cp936ToUtf8(list)));
    EXPECT_TRUE(testutil::WriteFileBytes(c.Files[2], BatchFontDat(list, settings)));
    return c;
}

// The reader finds every character of the list with the bytes the batch wrote for it.
void ExpectReaderFindsTheBatchsBytes(const ReaderCase &c)
{
    SCOPED_TRACE(c.Trace);
    const consumers::ProgramRun check = consumers::Run(consumers::UbinCheckPath(), QStringList{"batch"} + c.Files);
    EXPECT_EQ(check.ExitCode, 0) << check.Err;
    EXPECT_NE(check.Out.find(std::to_string(c.Glyphs) + " glyphs"), std::string::npos) << check.Out;
}

// A seeded sample of GBK with ASCII and the euro sign, without repeats.
std::string GbkSample(int count, int seed)
{
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, QString());
    EXPECT_TRUE(gbk.Ok);
    const std::vector<std::string> all = SplitChars(gbk.Text);
    QRandomGenerator random{quint32(seed)};
    std::string list = "A g@~\x80";
    for (int i = 0; i < count; ++i) {
        const std::string &ch = all[size_t(random.bounded(int(all.size())))];
        if (!ContainsChar(list, ch))
            list += ch;
    }
    return list;
}

GlyphSettings Packing(int width, int height, ScanOrder scan, bool invert, bool bitReverse)
{
    GlyphSettings settings;
    settings.Width = width;
    settings.Height = height;
    settings.ScanMode = scan;
    settings.Invert = invert;
    settings.BitReverse = bitReverse;
    return settings;
}

} // namespace

TEST(UbinFont, WholeGb2312SetHoldsTheBatchsFontDatBytesUnderEachCodePoint)
{
    const CharsetImport gb2312 = LoadCharset(CharacterSet::GB2312, QString());
    ASSERT_TRUE(gb2312.Ok) << testutil::Describe(gb2312.Error);
    // GB2312 at 16 x 16 in the vertical scan, then the other packings on a sample, in cells that
    // are not whole bytes. Every file is made before the reader runs: the thread checker cannot
    // follow a run started after a child process was spawned.
    const std::string sample = GbkSample(300, 5);
    const GlyphSettings packings[] = {Packing(24, 20, ScanOrder::Horizontal, true, false),
                                      Packing(13, 15, ScanOrder::ZN, false, true),
                                      Packing(17, 12, ScanOrder::Vertical, true, true),
                                      Packing(12, 9, ScanOrder::ZN, true, false)};
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    std::vector<ReaderCase> cases;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    cases.push_back(MakeReaderCase(gb2312.Text, GlyphSettings(), dirs.back()->path()));
    for (const GlyphSettings &settings : packings) {
        dirs.push_back(std::make_unique<QTemporaryDir>());
        cases.push_back(MakeReaderCase(sample, settings, dirs.back()->path()));
    }
    for (const ReaderCase &c : cases)
        ExpectReaderFindsTheBatchsBytes(c);
}

TEST(UbinFont, CutAndDamagedFilesAreRefusedAndNeverReadOutOfBounds)
{
    QTemporaryDir dir;
    const QString ubin = dir.filePath("sample.ubin");
    const FontExportResult exported = ExportUbin(GbkSample(120, 9), Packing(13, 15, ScanOrder::ZN, true, true), 2, ubin);
    ASSERT_EQ(exported.State, FontExportResult::Done) << testutil::Describe(exported.Error);
    const consumers::ProgramRun check = consumers::Run(consumers::UbinCheckPath(), {"damage", ubin});
    EXPECT_EQ(check.ExitCode, 0) << check.Err;
    EXPECT_NE(check.Out.find("damage sweep"), std::string::npos) << check.Out;
}

TEST(UbinFont, EveryDepthAndPackingReadsBackAsTheLevelsDotrixDrew)
{
    const std::string list = Gbk("中文g€永，") + "Aj";
    const std::vector<CodePointChar> characters = MapToCodePoints(list).Characters;
    std::string text;
    for (const CodePointChar &c : characters)
        text += Cp936ToUtf8(c.Character);
    QTemporaryDir dir;
    const QString ubin = dir.filePath("levels.ubin");
    int moved = 0;
    for (int bpp : {1, 2, 4, 8}) {
        for (ScanOrder scan : {ScanOrder::Horizontal, ScanOrder::Vertical, ScanOrder::ZN}) {
            for (int flags = 0; flags < 4; ++flags) {
                GlyphSettings settings = Packing(13, 11, scan, flags & 1, flags & 2);
                settings.OffsetX = -1;
                settings.OffsetY = -2;
                // Both versions: the cell's advance (1), each glyph's own from a pen left of the cell (2).
                const AdvanceMode advance = flags % 2 ? AdvanceMode::Font : AdvanceMode::Cell;
                SCOPED_TRACE(std::to_string(bpp) + " bpp, scan " + WordOfMode(scan) + ", flags "
                             + std::to_string(flags));
                // Half the runs place the glyphs by their ink: the glyphs drawn once at the
                // settings' offset are then moved to the chosen one, as if drawn there.
                const FontExportResult exported = ExportUbin(list, settings, bpp, ubin, advance, flags & 2);
                ASSERT_EQ(exported.State, FontExportResult::Done) << testutil::Describe(exported.Error);
                moved += exported.Moved;
                settings.OffsetY = exported.OffsetY;

                const ExportFontMetrics metrics = MeasureExportFont(settings, bpp, advance);
                std::string expected = std::string("version ") + (flags % 2 ? "2" : "1") + " cell 13x11 baseline "
                                       + std::to_string(metrics.Baseline) + " pen " + (flags % 2 ? "-1" : "0")
                                       + " bpp " + std::to_string(bpp) + "\n";
                JobControl control;
                DrawExportGlyphs(characters, settings, bpp, advance, control, [&](const ExportGlyph &glyph, Failure *) {
                    char line[32];
                    std::snprintf(line, sizeof line, "U+%04X advance %d\n", unsigned(glyph.CodePoint), glyph.Advance);
                    expected += line;
                    for (int y = 0; y < glyph.CellHeight; ++y) {
                        for (int x = 0; x < glyph.CellWidth; ++x) {
                            std::snprintf(line, sizeof line, bpp == 8 ? "%02x" : "%x", glyph.Level(x, y));
                            expected += line;
                        }
                        expected += '\n';
                    }
                    return true;
                });
                const consumers::ProgramRun read = consumers::Run(consumers::UbinCheckPath(), {"levels", ubin, QString::fromStdString(text)});
                ASSERT_EQ(read.ExitCode, 0) << read.Err;
                ASSERT_EQ(read.Out, expected);
            }
        }
    }
    EXPECT_GT(moved, 0);
}

TEST(UbinFont, DemoDrawsUtf8TextIntoAOneBitFramebufferAsDotrixDrewIt)
{
    QTemporaryDir dir;
    const QString ubin = dir.filePath("demo.ubin");
    const std::string list = Gbk("中文") + " A\x80g";
    const char *text = "中文 A€g😀"; // the last one is not in the font: a cell's width stays blank
    for (int bpp : {1, 4})
    for (AdvanceMode advance : {AdvanceMode::Cell, AdvanceMode::Font, AdvanceMode::Half}) {
        SCOPED_TRACE(std::to_string(bpp) + " bpp, advance " + WordOfMode(advance));
        GlyphSettings settings;
        settings.OffsetX = 1; // the pen one column into the cell with the font's advances
        ASSERT_EQ(ExportUbin(list, settings, bpp, ubin, advance).State, FontExportResult::Done);
        std::map<char32_t, ExportGlyph> glyphs;
        JobControl control;
        DrawExportGlyphs(MapToCodePoints(list).Characters, settings, bpp, advance, control, [&](const ExportGlyph &g, Failure *) {
            glyphs[g.CodePoint] = g;
            return true;
        });
        // Each cell at the pen less the pen's column; a dot where its level is at least half of
        // full ink; the line as wide as the pen went or the last cell reached.
        const int penX = MeasureExportFont(settings, bpp, advance).PenX;
        std::vector<std::string> rows(16);
        int pen = 0;
        for (const char32_t cp : std::u32string(U"中文 A€g😀")) {
            const auto found = glyphs.find(cp);
            for (int y = 0; found != glyphs.end() && y < 16; ++y) {
                rows[size_t(y)].resize(std::max(rows[size_t(y)].size(), size_t(pen - penX + 16)), '.');
                for (int x = 0; x < 16; ++x)
                    if (found->second.Level(x, y) * 2 > found->second.MaxLevel())
                        rows[size_t(y)][size_t(pen - penX + x)] = '#';
            }
            pen += found != glyphs.end() ? found->second.Advance : 16;
        }
        std::string expected;
        for (std::string &row : rows) {
            row.resize(std::max(row.size(), size_t(pen)), '.');
            expected += row + '\n';
        }
        const consumers::ProgramRun demo = consumers::Run(consumers::UbinDemoPath(), {ubin, QString::fromUtf8(text)});
        EXPECT_EQ(demo.ExitCode, 0) << demo.Err;
        EXPECT_EQ(demo.Out, expected);
        EXPECT_EQ(demo.Err, "ubin-demo: characters not in the font: 1\n");
    }
}

TEST(UbinFont, RefusesWhatTheFileCannotHoldAndKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    const QString ubin = dir.filePath("kept.ubin");
    ASSERT_TRUE(testutil::WriteFileBytes(ubin, "an earlier file"));

    // 8-bit groups need at least five dots across a row (horizontal) or down a column (vertical),
    // as font.dat does; the "ZN" scan and the deeper glyphs need no such thing.
    FontExportResult result = ExportUbin(Gbk("中文"), Packing(4, 16, ScanOrder::Horizontal, false, false), 1, ubin);
    EXPECT_EQ(result.State, FontExportResult::Failed);
    EXPECT_EQ(result.Error, (Failure{FailureCode::UbinCannotPack, {}, {}, {"4", "16", "h"}}));
    result = ExportUbin(Gbk("中文"), Packing(16, 3, ScanOrder::Vertical, false, false), 1, ubin);
    EXPECT_EQ(result.Error, (Failure{FailureCode::UbinCannotPack, {}, {}, {"16", "3", "v"}}));
    EXPECT_EQ(testutil::ReadFileBytes(ubin), "an earlier file");
    EXPECT_EQ(ExportUbin(Gbk("中文"), Packing(4, 3, ScanOrder::ZN, false, false), 1, dir.filePath("zn.ubin")).State,
              FontExportResult::Done);
    EXPECT_EQ(ExportUbin(Gbk("中文"), Packing(4, 3, ScanOrder::Horizontal, false, false), 2, dir.filePath("2bpp.ubin")).State,
              FontExportResult::Done);

    // The whole GBK set at 1024 x 1024 and 8 bits per pixel would be 21 GiB: refused before a
    // glyph is drawn.
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, QString());
    ASSERT_TRUE(gbk.Ok);
    result = ExportUbin(gbk.Text, Packing(1024, 1024, ScanOrder::Horizontal, false, false), 8, ubin);
    EXPECT_EQ(result.State, FontExportResult::Failed);
    EXPECT_EQ(result.Glyphs, 0);
    EXPECT_EQ(result.Error.Code, FailureCode::UbinTooLarge) << testutil::Describe(result.Error);
    EXPECT_EQ(testutil::ReadFileBytes(ubin), "an earlier file");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary file left
}

TEST(FontFormatDocument, WorkedExampleIsTheFileDotrixWrites)
{
    // The hex lines of the worked example: "OFFSET: BYTES | meaning".
    QFile doc(QStringLiteral(DOTRIX_GOLDEN_DIR "/../../docs/font-format.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    const qsizetype example = text.indexOf("## Worked example");
    ASSERT_NE(example, -1);
    std::string documented;
    const QRegularExpression line(QStringLiteral("^([0-9a-f]{4}): ((?:[0-9a-f]{2} )*[0-9a-f]{2}) +\\|"),
                                  QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(text, example); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        EXPECT_EQ(m.captured(1).toUInt(nullptr, 16), documented.size()) << m.captured(0).toStdString();
        for (const QString &byte : m.captured(2).split(' '))
            documented += char(byte.toUInt(nullptr, 16));
    }
    // Unifont's A and 中 in a 16 x 16 cell, scanned horizontally, each with its own advance.
    GlyphSettings settings = Packing(16, 16, ScanOrder::Horizontal, false, false);
    settings.GlyphFont.Face = "Unifont";
    QTemporaryDir dir;
    ASSERT_EQ(ExportUbin("A" + Gbk("中"), settings, 1, dir.filePath("example.ubin")).State, FontExportResult::Done);
    EXPECT_EQ(documented, testutil::ReadFileBytes(dir.filePath("example.ubin")));
}
