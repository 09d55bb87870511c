// The delivery commands of the window: drive copies with a drive list of the test's own, and
// what the user is told when font.dat is missing or no drive is there.

#include "app/cdotrixdoc.h"
#include "app/cmainframe.h"
#include "app/cprogressdlg.h"
#include "app/messages.h"
#include "common/serialpeer.h"
#include "common/testutil.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QSerialPort>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
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

namespace {

// Serial sends as the user sees them: every message is read for a while before OK is pressed,
// as a person would, and meanwhile nothing else may come up over or under it.
class SerialSendTest : public DeliveryTest
{
protected:
    void SetUp() override
    {
        DeliveryTest::SetUp();
        ASSERT_FALSE(testutil::FindTool({"socat"}).isEmpty()) << "socat is not installed";
        ASSERT_FALSE(testutil::FindTool({"rx", "lrzsz-rx"}).isEmpty()) << "rx (lrzsz) is not installed";
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, peers.path());
        env.Set("TRELLON_TIMEOUT_MS", "600");
        SetMessageFunction([this](QWidget *, const QString &text, QMessageBox::StandardButtons) {
            messages.append(text);
            QElapsedTimer reading;
            reading.start();
            while (reading.elapsed() < 900) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                for (QWidget *widget : QApplication::topLevelWidgets())
                    if (widget->isVisible() && qobject_cast<CProgressDlg *>(widget))
                        seenOverMessage = true;
            }
            return QMessageBox::Ok;
        });
        frame->show();
    }

    // Runs the send command; whatever happened, the window is free again afterwards.
    void Send()
    {
        frame->Action(CmdSendSerial)->trigger();
        EXPECT_FALSE(seenOverMessage) << "the progress box came back while a message was open";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        for (QWidget *widget : QApplication::topLevelWidgets())
            EXPECT_FALSE(widget->isVisible() && widget != frame.get())
                << widget->metaObject()->className() << " is still open";
        seenOverMessage = false;
    }

    QTemporaryDir peers;
    testutil::ScopedEnvironment env;
    bool seenOverMessage = false;
};

} // namespace

TEST_F(SerialSendTest, FailuresLeaveTheWindowFreeAndSayWhyInChinese)
{
    frame->Action(CmdSendSerial)->trigger(); // font.dat is missing
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains("font.dat"));
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), std::string(3000, 'x')));

    // No port.
    messages.clear();
    env.Set("TRELLON_PORT", QFile::encodeName(peers.filePath("ttyNONE")));
    Send();
    ASSERT_EQ(messages.size(), 1);
    // The library's own words on what it ran into follow the reason, as the system's reason
    // follows every failure's sentence.
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("font.dat 没有发送成功：\n找不到串口，或指定的串口不存在。")))
        << messages.first().toStdString();
    EXPECT_TRUE(messages.first().endsWith(QStringLiteral("\n串口：") + peers.filePath("ttyNONE"))) << messages.first().toStdString();

    // A port that another program holds open.
    messages.clear();
    testutil::SerialPeer silent(peers.path(), testutil::SilentReceiver());
    ASSERT_TRUE(silent.Ready());
    env.Set("TRELLON_PORT", QFile::encodeName(silent.Port));
    {
        QSerialPort holder(silent.Port);
        ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
        Send();
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("串口正被其他程序使用"))) << messages.first().toStdString();

    // A receiver that never answers: the box shows, then the time-out.
    messages.clear();
    Send();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("接收方没有应答"))) << messages.first().toStdString();
}

TEST_F(SerialSendTest, CancelStopsTheTransferWithoutAMessage)
{
    // Large enough that the transfer is still running when the box shows its first progress.
    ASSERT_TRUE(testutil::WriteFileBytes(dir.filePath("font.dat"), std::string(8 << 20, 'x')));
    testutil::SerialPeer rx(peers.path(), testutil::RxReceiving("got.dat"));
    ASSERT_TRUE(rx.Ready());
    env.Set("TRELLON_PORT", QFile::encodeName(rx.Port));
    env.Set("TRELLON_TIMEOUT_MS", "5000");
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        auto *progress = frame->findChild<CProgressDlg *>("serialProgressDialog");
        auto *bar = progress ? progress->findChild<QProgressBar *>() : nullptr;
        if (progress && progress->isVisible() && bar && bar->value() > 0) {
            cancel.stop();
            QTest::keyClick(progress, Qt::Key_Escape);
        }
    });
    cancel.start(20);
    Send();
    EXPECT_FALSE(cancel.isActive()) << "the progress box never showed progress";
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(frame->statusBar()->currentMessage(), QStringLiteral("串口发送已取消"));
    EXPECT_TRUE(rx.Finished(10000)) << "rx was not told to stop";
}
