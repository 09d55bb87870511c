// The delivery commands of the window: drive copies with a drive list of the test's own, and
// what the user is told when font.dat is missing or no drive is there.

#include "app/cdotrixdoc.h"
#include "app/cmainframe.h"
#include "app/messages.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FakeDrives : public DriveList
{
public:
    explicit FakeDrives(std::vector<Drive> drives) : m_drives(std::move(drives)) {}
    std::vector<Drive> Drives() const override { return m_drives; }

private:
    std::vector<Drive> m_drives;
};

class DeliveryTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        QDir(drives.path()).mkdir("a");
        frame->Document()->SetDriveList(std::make_unique<FakeDrives>(
            std::vector<Drive>{{"A:", drives.filePath("a"), DriveKind::Floppy}}));
    }

    QTemporaryDir drives;
    QMessageBox::StandardButton &answer = hooks.answer;
};

} // namespace

TEST_F(DeliveryTest, MissingFontDatIsReportedBeforeAnyDriveIsTried)
{
    frame->Action(CmdSendFloppy)->trigger();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("font.dat")) << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains(QStringLiteral("创建所有字模到DAT文件")));
}

TEST_F(DeliveryTest, FloppyCommandAsksThenCopies)
{
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), "glyph data"));
    frame->Action(CmdSendFloppy)->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("发送到软盘 A: ?")});
    EXPECT_EQ(testutil::ReadFileBytes(drives.filePath("a/font.dat")), "glyph data");

    // The removable command does not offer the floppy: nothing of its kind is there.
    messages.clear();
    frame->Action(CmdSendRemovable)->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("没有发现移动存储设备")});
}

TEST_F(DeliveryTest, CancelCopiesNothingAndSaysNothingMore)
{
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), "glyph data"));
    answer = QMessageBox::Cancel;
    frame->Action(CmdSendFloppy)->trigger();
    EXPECT_EQ(messages, QStringList{QStringLiteral("发送到软盘 A: ?")});
    EXPECT_FALSE(QFile::exists(drives.filePath("a/font.dat")));
}

TEST_F(DeliveryTest, SerialSendSaysWhyItFailed)
{
    frame->Action(CmdSendSerial)->trigger();
    ASSERT_EQ(messages.size(), 1); // font.dat is missing
    EXPECT_TRUE(messages.first().contains("font.dat"));

    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), "glyph data"));
    messages.clear();
    qputenv("TRELLON_PORT", QFile::encodeName(dir.filePath("no-such-port")));
    qputenv("TRELLON_TIMEOUT_MS", "500");
    frame->Action(CmdSendSerial)->trigger();
    qunsetenv("TRELLON_PORT");
    qunsetenv("TRELLON_TIMEOUT_MS");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("没有发送成功"))) << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains("no-such-port")) << messages.first().toStdString();
}
