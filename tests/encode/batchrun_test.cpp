// Batch runs end to end in a scratch directory: All.c, per-glyph files, font.dat with and without
// index, names, and runs that stop early.

#include "common/testutil.h"
#include "encode/batchrun.h"
#include "encode/glyphtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using testutil::Gbk;

namespace {

struct BatchRun
{
    QTemporaryDir dir;
    OutputDirectory output{dir.path()};
    GlyphSettings settings;
    DotMatrix matrix;
    JobControl control;
    int indexAsked = 0;

    BatchResult Go(const std::string &list, DataFile mode, std::optional<uint16_t> index = std::nullopt)
    {
        BatchHooks hooks;
        hooks.AskIndex = [this, index](uint16_t &start) {
            ++indexAsked;
            if (index)
                start = *index;
            return index.has_value();
        };
        return BatchGenerate(list, settings, matrix, output, mode, control, hooks);
    }
    std::string File(const QString &name) { return testutil::ReadFileBytes(dir.filePath(name)); }
};

std::string Notice()
{
    return std::string(RightsNotice) + "\r\n";
}

} // namespace

TEST(BatchGenerate, EightByEightIndexedDataFileHasTwentyBytes)
{
    BatchRun run;
    run.settings.Width = run.settings.Height = 8;
    run.settings.ScanMode = ScanOrder::Horizontal;
    BatchResult result = run.Go(Gbk("中a"), DataFile::Dat, 0x0100);
    ASSERT_EQ(result.State, BatchResult::Done) << testutil::Describe(result.Error);
    const std::string dat = run.File("font.dat");
    ASSERT_EQ(dat.size(), 20u);
    // index 0x0100 low byte first, 8 bytes of 中, index 0x0101, 8 bytes of a
    EXPECT_EQ(dat.substr(0, 2), std::string("\x00\x01", 2));
    EXPECT_EQ(dat.substr(10, 2), std::string("\x01\x01", 2));
    EXPECT_EQ(run.indexAsked, 1);

    BatchRun plain;
    plain.settings = run.settings;
    ASSERT_EQ(plain.Go(Gbk("中a"), DataFile::Bin).State, BatchResult::Done);
    const std::string unindexed = plain.File("font.dat");
    EXPECT_EQ(unindexed, dat.substr(2, 8) + dat.substr(12, 8));
}

TEST(BatchGenerate, IndexWrapsFromFFFFToZero)
{
    BatchRun run;
    run.settings.ScanMode = ScanOrder::Horizontal; // 16 x 16: 32 bytes a glyph
    ASSERT_EQ(run.Go("ab", DataFile::Dat, 0xFFFF).State, BatchResult::Done);
    const std::string dat = run.File("font.dat");
    ASSERT_EQ(dat.size(), 2 * 34u);
    EXPECT_EQ(dat.substr(0, 2), "\xFF\xFF");
    EXPECT_EQ(dat.substr(34, 2), std::string("\x00\x00", 2));
}

TEST(BatchGenerate, IndexStandsBeforeEachGlyphWhateverItsByteCount)
{
    // 12 x 16 vertical: 12 columns of 2 bytes = 24 bytes a glyph, although a horizontal row
    // layout would take 32; 10 x 16 also puts "0x" into its header "(10x16,V)".
    for (int width : {12, 10}) {
        BatchRun run;
        run.settings.Width = width;
        ASSERT_EQ(run.Go("abc", DataFile::Dat, 0x0000).State, BatchResult::Done);
        const std::string dat = run.File("font.dat");
        const size_t glyph = 2 + 2 * size_t(width);
        ASSERT_EQ(dat.size(), 3 * glyph) << width;
        for (uint8_t g = 0; g < 3; ++g)
            EXPECT_EQ(dat.substr(g * glyph, 2), std::string({char(g), '\0'})) << width;
    }
}

TEST(BatchGenerate, AllCHoldsNoticeThenEveryGlyphFileInListOrder)
{
    // Enough characters that the cores run well ahead of All.c.
    std::string list;
    for (int i = 0; i < 600; ++i)
        list += char(0xB0 + (i / 94) % 8), list += char(0xA1 + i % 94);
    BatchRun run;
    run.settings.OutputFormat = SourceFormat::CArray;
    const BatchResult result = run.Go(list, DataFile::None);
    ASSERT_EQ(result.State, BatchResult::Done) << testutil::Describe(result.Error);
    EXPECT_EQ(result.Glyphs, 600);
    EXPECT_EQ(run.control.Done(), 600);
    EXPECT_TRUE(run.control.Finished());
    const std::string all = run.File("All.c");
    ASSERT_EQ(all.rfind(Notice(), 0), 0u);
    // Walk All.c glyph by glyph: each header names a file whose bytes come next.
    size_t at = Notice().size();
    int glyphs = 0;
    while (at < all.size()) {
        const size_t nameStart = all.find('@', at) + 1;
        const std::string name = all.substr(nameStart, all.find(' ', nameStart) - nameStart);
        const std::string file = run.File(QString::fromStdString(name) + ".c");
        ASSERT_FALSE(file.empty()) << name;
        ASSERT_EQ(all.compare(at, file.size(), file), 0) << name;
        at += file.size();
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 600);
    EXPECT_EQ(run.indexAsked, 0);
    EXPECT_FALSE(QFile::exists(run.dir.filePath("font.dat")));
}

TEST(BatchGenerate, SameReadingsAreNumberedAroundExistingBitmaps)
{
    BatchRun run;
    ASSERT_TRUE(testutil::WriteFileBytes(run.dir.filePath("zhong1.bmp"), "user's"));
    run.settings.OutputFormat = SourceFormat::CArray;
    ASSERT_EQ(run.Go(Gbk("中忠钟"), DataFile::None).State, BatchResult::Done);
    const std::string all = run.File("All.c");
    const size_t z0 = all.find("unsigned char zhong0[]");
    const size_t z2 = all.find("unsigned char zhong2[]");
    const size_t z3 = all.find("unsigned char zhong3[]");
    EXPECT_TRUE(z0 < z2 && z2 < z3 && z3 != std::string::npos) << all;
    EXPECT_EQ(run.File("zhong1.bmp"), "user's");
}

TEST(BatchGenerate, LineBreaksAndSpacesAreGlyphsToo)
{
    BatchRun run;
    run.settings.NumberedNames = true;
    ASSERT_EQ(run.Go("a\r\n ", DataFile::None).State, BatchResult::Done);
    const std::string all = run.File("All.c");
    EXPECT_NE(all.find("/* @0 a(16x16,V)@"), std::string::npos);
    EXPECT_NE(all.find("/* @1 \r(16x16,V)@"), std::string::npos);
    EXPECT_NE(all.find("/* @2 \n(16x16,V)@"), std::string::npos);
    EXPECT_NE(all.find("/* @3  (16x16,V)@"), std::string::npos);
}

TEST(BatchGenerate, EmptyListGivesNoticeOnlyAndEmptyDataFile)
{
    BatchRun run;
    ASSERT_EQ(run.Go("", DataFile::Bin, 0x1234).State, BatchResult::Done);
    EXPECT_EQ(run.File("All.c"), Notice());
    EXPECT_EQ(run.indexAsked, 1);
    EXPECT_TRUE(QFile::exists(run.dir.filePath("font.dat")));
    EXPECT_EQ(run.File("font.dat"), "");
}

TEST(BatchGenerate, DataRunsForceEightBitTypicalAndLeaveLastGlyphInMatrix)
{
    BatchRun run;
    run.settings.GroupDigits = 4;
    run.settings.OutputFormat = SourceFormat::AsmTable;
    run.settings.Width = 24;
    run.settings.Height = 24;
    run.settings.GlyphFont.PointSize = 18;
    ASSERT_EQ(run.Go(Gbk("一丨"), DataFile::Dat).State, BatchResult::Done);
    EXPECT_EQ(run.settings.GroupDigits, 2);
    EXPECT_EQ(run.settings.OutputFormat, SourceFormat::Typical);
    EXPECT_EQ(run.File("font.dat").size(), 2 * 72u);
    // 丨 is a vertical stroke: some column is ink from top to nearly the bottom, no row is.
    int longestColumn = 0;
    for (int c = 0; c < 24; ++c) {
        int ink = 0;
        for (int r = 0; r < 24; ++r)
            ink += run.matrix.IsInk(r, c);
        longestColumn = std::max(longestColumn, ink);
    }
    EXPECT_GT(longestColumn, 16);
    EXPECT_EQ(run.settings.Width, 24);
}

TEST(BatchGenerate, UsersOwnFilesSurviveAndEarlierOutputIsCleared)
{
    BatchRun run;
    ASSERT_TRUE(testutil::WriteFileBytes(run.dir.filePath("main.c"), "int main;"));
    ASSERT_TRUE(testutil::WriteFileBytes(run.dir.filePath("logo.bmp"), "BM"));
    ASSERT_EQ(run.Go("abc", DataFile::None).State, BatchResult::Done);
    ASSERT_EQ(run.Go("x", DataFile::None).State, BatchResult::Done);
    EXPECT_EQ(run.File("main.c"), "int main;");
    EXPECT_EQ(run.File("logo.bmp"), "BM");
    const QStringList left = QDir(run.dir.path()).entryList({"*.c", "*.bmp"}, QDir::Files);
    EXPECT_EQ(left, (QStringList{"0.bmp", "0.c", "All.c", "logo.bmp", "main.c"}));
}

TEST(BatchGenerate, RunsThatCannotWriteStopAndSaySo)
{
    BatchRun run;
    OutputDirectory gone(run.dir.filePath("gone"));
    JobControl control;
    BatchResult result = BatchGenerate("abc", run.settings, run.matrix, gone, DataFile::Dat, control);
    EXPECT_EQ(result.State, BatchResult::Failed);
    EXPECT_TRUE(testutil::Mentions(result.Error, "gone")) << testutil::Describe(result.Error);
    EXPECT_TRUE(control.Finished());

    BatchRun cancelled;
    cancelled.control.Cancel();
    result = cancelled.Go("abc", DataFile::Dat, 0);
    EXPECT_EQ(result.State, BatchResult::Cancelled);
    EXPECT_FALSE(QFile::exists(cancelled.dir.filePath("font.dat")));
    EXPECT_EQ(cancelled.indexAsked, 0);
}

namespace {

// Makes a user's file one this process can neither write nor delete: read-only, and immutable
// where the process is privileged enough to ignore that. False where that cannot be done.
bool Protect(const QString &path, bool on)
{
    QFile::setPermissions(path, on ? QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                                   : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // The immutable flag is set in this process (as chattr does): a child process started from a
    // process under the thread checker would confuse its view of the locks.
    const int fd = geteuid() == 0 ? ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC) : -1;
    int flags = 0;
    if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        ::close(fd);
    QFile probe(path);
    return probe.open(QIODevice::WriteOnly | QIODevice::Append) != on;
}

} // namespace

TEST(BatchGenerate, AUsersFileThatStopsARunIsNeverClaimedNorDeleted)
{
    BatchRun run;
    const QString mine = run.dir.filePath("guo0.c");
    ASSERT_TRUE(testutil::WriteFileBytes(mine, "/* the user's own */"));
    if (!Protect(mine, true))
        GTEST_SKIP() << "cannot make a file unwritable here";
    BatchResult result = run.Go(Gbk("国"), DataFile::None);
    EXPECT_EQ(result.State, BatchResult::Failed);
    EXPECT_TRUE(testutil::Mentions(result.Error, mine)) << testutil::Describe(result.Error);
    EXPECT_TRUE(result.FailedFile.isEmpty()); // it stopped at a glyph
    const OutputDirectory reread(run.dir.path());
    EXPECT_FALSE(reread.WasWritten("guo0.c"));
    EXPECT_TRUE(reread.WasWritten("guo0.bmp")); // that one the run did write
    EXPECT_EQ(run.File("guo0.c"), "/* the user's own */");

    // Unlocked again, the file is still the user's: the next run leaves it alone.
    ASSERT_TRUE(Protect(mine, false));
    ASSERT_EQ(run.Go("a", DataFile::None).State, BatchResult::Done);
    EXPECT_EQ(run.File("guo0.c"), "/* the user's own */");
    EXPECT_FALSE(QFile::exists(run.dir.filePath("guo0.bmp")));
}

TEST(BatchGenerate, AFailedWriteNeverDeletesAFileTheRunDidNotCreate)
{
    if (!QFileInfo::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    // The user's guo0.c leads to a device that takes no byte.
    BatchRun run;
    const QString mine = run.dir.filePath("guo0.c");
    ASSERT_TRUE(QFile::link("/dev/full", mine));
    const BatchResult result = run.Go(Gbk("国"), DataFile::None);
    EXPECT_EQ(result.State, BatchResult::Failed);
    EXPECT_TRUE(QFileInfo(mine).isSymLink());
    EXPECT_FALSE(OutputDirectory(run.dir.path()).WasWritten("guo0.c"));
}

TEST(BatchGenerate, ARunThatCannotCreateAllCStillClearsTheEarlierRun)
{
    BatchRun run;
    ASSERT_EQ(run.Go("ab", DataFile::Dat).State, BatchResult::Done);
    ASSERT_TRUE(QFile::remove(run.dir.filePath("All.c")));
    ASSERT_TRUE(QDir(run.dir.path()).mkdir("All.c"));
    const BatchResult result = run.Go("ab", DataFile::None);
    EXPECT_EQ(result.State, BatchResult::Failed);
    EXPECT_EQ(result.FailedFile, "All.c");
    EXPECT_TRUE(testutil::Mentions(result.Error, "All.c")) << testutil::Describe(result.Error);
    // The glyph files of the earlier run are gone, as at the start of every run; font.dat stays.
    EXPECT_EQ(QDir(run.dir.path()).entryList({"*.c", "*.bmp"}, QDir::Files), QStringList());
    EXPECT_EQ(OutputDirectory(run.dir.path()).WrittenFiles(), QStringList{"font.dat"});
}
