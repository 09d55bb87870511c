// The export command: every bitmap and source file of the output directory, whoever wrote it.

#include "common/testutil.h"
#include "output/exportglyphfiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExportGlyphFiles, CopiesEveryBitmapAndSourceOfTheDirectory)
{
    QTemporaryDir work;
    QTemporaryDir folder;
    for (const char *name : {"0.bmp", "0.c", "All.c"}) // what a run over "a" leaves
        testutil::Touch(work, name);
    ASSERT_TRUE(testutil::WriteFileBytes(work.filePath("mine.c"), "/* the user's */"));
    ASSERT_TRUE(testutil::WriteFileBytes(work.filePath("LOGO.BMP"), "BM"));
    ASSERT_TRUE(testutil::WriteFileBytes(work.filePath(".c"), "/* a picture without a name */"));
    ASSERT_TRUE(testutil::WriteFileBytes(work.filePath("notes.txt"), "not copied"));
    ASSERT_TRUE(QDir(work.path()).mkdir("sub.c"));
    const ExportResult exported = ExportGlyphFiles(work.path(), folder.path());
    EXPECT_TRUE(exported.Failures.isEmpty()) << testutil::Describe(exported.Failures.value(0));
    const QStringList copied = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(copied, (QStringList{".c", "0.bmp", "0.c", "All.c", "LOGO.BMP", "mine.c"}));
    EXPECT_EQ(exported.Copied, 6);
    EXPECT_EQ(testutil::ReadFileBytes(folder.filePath("mine.c")), "/* the user's */");

    // Into a folder that is not there: every file is named as not copied.
    const ExportResult nowhere = ExportGlyphFiles(work.path(), folder.filePath("gone"));
    EXPECT_EQ(nowhere.Copied, 0);
    EXPECT_EQ(nowhere.Failures.size(), 6);
}
