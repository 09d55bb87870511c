// Copies of font.dat to floppy and removable drives, with a drive list of the test's own.

#include "common/testutil.h"
#include "delivery/drivecopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

class FakeDrives : public DriveList
{
public:
    std::vector<Drive> List;
    std::vector<Drive> Drives() const override { return List; }
};

} // namespace

TEST(CopyToDrives, AsksForEveryDriveOfItsKindAndCopiesWhereConfirmed)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("font.dat");
    ASSERT_TRUE(testutil::WriteFileBytes(source, "glyphs"));
    QDir(dir.path()).mkdir("a");
    QDir(dir.path()).mkdir("b");
    QDir(dir.path()).mkdir("stick");
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("b/font.dat"), "old"));
    FakeDrives drives;
    drives.List = {{"A:", dir.filePath("a"), DriveKind::Floppy},
                   {"/media/stick", dir.filePath("stick"), DriveKind::Removable},
                   {"B:", dir.filePath("b"), DriveKind::Floppy}};
    QStringList asked;
    const DriveCopyOutcome outcome = CopyToDrives(source, DriveKind::Floppy, drives, [&](const QString &question) {
        asked.append(question);
        return true;
    });
    EXPECT_EQ(asked, (QStringList{"发送到软盘 A: ?", "发送到软盘 B: ?"}));
    EXPECT_TRUE(outcome.Found);
    EXPECT_EQ(outcome.Copied, 2);
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("a/font.dat")), "glyphs");
    EXPECT_EQ(testutil::ReadFileBytes(dir.filePath("b/font.dat")), "glyphs"); // replaced without asking
    EXPECT_FALSE(QFile::exists(dir.filePath("stick/font.dat")));
}

TEST(CopyToDrives, CancelStillCountsAsFoundAndNoDriveIsReported)
{
    QTemporaryDir dir;
    FakeDrives drives;
    drives.List = {{"/media/stick", dir.filePath("stick"), DriveKind::Removable}};
    DriveCopyOutcome outcome =
        CopyToDrives(dir.filePath("font.dat"), DriveKind::Removable, drives, [](const QString &) { return false; });
    EXPECT_TRUE(outcome.Found);
    EXPECT_EQ(outcome.Copied, 0);

    // A machine whose only removable drive is a floppy has no removable storage device.
    drives.List = {{"A:", dir.filePath("a"), DriveKind::Floppy}};
    outcome = CopyToDrives(dir.filePath("font.dat"), DriveKind::Removable, drives, [](const QString &) { return true; });
    EXPECT_FALSE(outcome.Found);
    EXPECT_EQ(NoDriveMessage(DriveKind::Removable), QStringLiteral("没有发现移动存储设备"));
    EXPECT_EQ(NoDriveMessage(DriveKind::Floppy), QStringLiteral("没有发现软盘"));
}

TEST(CopyToDrives, FailedCopiesNameTheDriveAndTheReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), "glyphs"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("stick/font.dat")); // a folder where the copy should go
    FakeDrives drives;
    drives.List = {{"/media/gone", dir.filePath("gone"), DriveKind::Removable}, // no medium: no directory
                   {"/media/stick", dir.filePath("stick"), DriveKind::Removable}};
    const DriveCopyOutcome outcome =
        CopyToDrives(dir.filePath("font.dat"), DriveKind::Removable, drives, [](const QString &) { return true; });
    EXPECT_TRUE(outcome.Found);
    EXPECT_EQ(outcome.Copied, 0);
    ASSERT_EQ(outcome.Failures.size(), 2);
    EXPECT_TRUE(testutil::Mentions(outcome.Failures.first(), dir.filePath("gone"))) << testutil::Describe(outcome.Failures.first());
    EXPECT_EQ(outcome.Failures[1], (Failure{FailureCode::Replace, dir.filePath("stick/font.dat"),
                                            QString::fromLocal8Bit(std::strerror(EISDIR)), {}}));
    EXPECT_FALSE(QFile::exists(dir.filePath("stick/font.dat.part")));
}

TEST(SystemDriveList, ListsOnlyRemovableOrFloppyVolumes)
{
    // Whatever this machine has mounted, its fixed disks are never offered.
    for (const Drive &drive : SystemDriveList().Drives()) {
        EXPECT_NE(drive.Root, "/");
        EXPECT_FALSE(drive.Name.isEmpty());
    }
}
