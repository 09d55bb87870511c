// The output directory: its record of the program's own files, deleting only those, and whether
// it can be written.

#include "common/testutil.h"
#include "output/outputdirectory.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testutil::Touch;

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
    Failure error;
    EXPECT_TRUE(OutputDirectory(dir.path()).CheckWritable(&error));
    EXPECT_FALSE(OutputDirectory(dir.filePath("missing")).CheckWritable(&error));
    EXPECT_EQ(error, (Failure{FailureCode::NoSuchFolder, dir.filePath("missing"), {}, {}}));
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("file"), ""));
    EXPECT_FALSE(OutputDirectory(dir.filePath("file")).CheckWritable(&error));
    EXPECT_EQ(error, (Failure{FailureCode::NotAFolder, dir.filePath("file"), {}, {}}));
}
