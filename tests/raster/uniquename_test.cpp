// Unique names and the output directory's record of the program's own files.

#include "common/testutil.h"
#include "raster/outputdirectory.h"
#include "raster/uniquename.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void Touch(const QTemporaryDir &dir, const char *name)
{
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath(name), "x"));
}
} // namespace

TEST(MakeUniqueName, TakesFirstFreeNumberFromStart)
{
    QTemporaryDir dir;
    EXPECT_EQ(MakeUniqueName("a", 0, dir.path()), "a0");
    Touch(dir, "a0.bmp");
    Touch(dir, "a1.bmp");
    Touch(dir, "a3.bmp");
    Touch(dir, "a2.c"); // only bitmaps count
    EXPECT_EQ(MakeUniqueName("a", 0, dir.path()), "a2");
    EXPECT_EQ(MakeUniqueName("a", 3, dir.path()), "a4");
    EXPECT_EQ(MakeUniqueName("", 0, dir.path()), "0");
}

TEST(MakeUniqueName, CacheGivesTheSameNamesAsProbingFromZero)
{
    QTemporaryDir dir;
    Touch(dir, "zhong1.bmp"); // a gap the run must fill first
    UniqueNameCache cache;
    std::vector<std::string> cached;
    std::vector<std::string> probed;
    for (int i = 0; i < 5; ++i) {
        probed.push_back(MakeUniqueName("zhong", 0, dir.path()));
        cached.push_back(MakeUniqueName("zhong", 0, dir.path(), &cache));
        Touch(dir, (cached.back() + ".bmp").c_str());
    }
    EXPECT_EQ(cached, (std::vector<std::string>{"zhong0", "zhong2", "zhong3", "zhong4", "zhong5"}));
    EXPECT_EQ(cached, probed);
    // A name handed out but never written is handed out again.
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &cache), "zhong6");
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &cache), "zhong6");
    // Between runs the files may change; a new cache sees them afresh.
    QFile::remove(dir.filePath("zhong2.bmp"));
    UniqueNameCache nextRun;
    EXPECT_EQ(MakeUniqueName("zhong", 0, dir.path(), &nextRun), "zhong2");
}

TEST(OutputDirectory, DeletesOnlyRecordedFilesOfTheGivenKinds)
{
    QTemporaryDir dir;
    Touch(dir, "mine.c");
    Touch(dir, "mine.bmp");
    Touch(dir, "font.dat");
    Touch(dir, "user.c");
    Touch(dir, "user.bmp");
    {
        OutputDirectory output(dir.path());
        output.RecordWritten("mine.c");
        output.RecordWritten("mine.bmp");
        output.RecordWritten("font.dat");
        output.RecordWritten("vanished.c"); // recorded, then removed by someone else
    }
    OutputDirectory output(dir.path()); // the record outlives the program
    QStringList failures;
    EXPECT_EQ(output.DeleteWritten({".bmp", ".c"}, &failures), 2);
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("mine.c")));
    EXPECT_FALSE(QFile::exists(dir.filePath("mine.bmp")));
    EXPECT_TRUE(QFile::exists(dir.filePath("font.dat")));
    EXPECT_TRUE(QFile::exists(dir.filePath("user.c")));
    EXPECT_TRUE(QFile::exists(dir.filePath("user.bmp")));
    EXPECT_TRUE(output.WasWritten("font.dat"));
    EXPECT_FALSE(output.WasWritten("vanished.c"));
}

TEST(OutputDirectory, CheckWritableSaysWhy)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_TRUE(OutputDirectory(dir.path()).CheckWritable(&error));
    EXPECT_FALSE(OutputDirectory(dir.filePath("missing")).CheckWritable(&error));
    EXPECT_EQ(error, dir.filePath("missing") + " does not exist");
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("file"), ""));
    EXPECT_FALSE(OutputDirectory(dir.filePath("file")).CheckWritable(&error));
    EXPECT_EQ(error, dir.filePath("file") + " is not a directory");
}
