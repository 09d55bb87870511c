// SendFileEx end to end: files sent through a pseudo-terminal from socat to lrzsz's rx, a real
// XMODEM receiver; ports, files and settings that are wrong; progress and cancelling; a plain C
// caller with no QCoreApplication.
#include "common/serialpeer.h"
#include "common/testutil.h"
#include "trellon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using testutil::FindTool;
using testutil::RxReceiving;
using testutil::ScopedEnvironment;
using Peer = testutil::SerialPeer;

constexpr int Block = 128;

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char &byte : bytes) {
        state = state * 1103515245 + 12345;
        byte = char(state >> 16);
    }
    return bytes;
}

class TrellonSendFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(FindTool({QStringLiteral("socat")}).isEmpty())
            << "socat is not installed (scripts/install-deps.sh installs it)";
        ASSERT_FALSE(FindTool({QStringLiteral("rx"), QStringLiteral("lrzsz-rx")}).isEmpty())
            << "rx from lrzsz is not installed (scripts/install-deps.sh installs it)";
        ASSERT_TRUE(m_dir.isValid());
        // Saved settings go to the scratch directory, not the user's.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        m_env.Unset("TRELLON_PORT");
        m_env.Unset("TRELLON_BAUD");
        m_env.Set("TRELLON_TIMEOUT_MS", "3000");
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }
    QByteArray WriteFile(const QString &name, const std::string &bytes)
    {
        EXPECT_TRUE(testutil::WriteFileBytes(Path(name), bytes));
        return QFile::encodeName(Path(name));
    }
    // What a receiver that took bytes should hold: them, padded with 0x1A to whole blocks.
    static std::string Padded(std::string bytes)
    {
        bytes.resize((bytes.size() + Block - 1) / Block * Block, '\x1A');
        return bytes;
    }

    QTemporaryDir m_dir;
    ScopedEnvironment m_env;
};

} // namespace

TEST_F(TrellonSendFile, RxReceivesEverySizeWhole)
{
    struct Case { size_t size; bool crc; };
    for (const Case c : {Case{0, true}, Case{Block, true}, Case{1000, true}, Case{200 * 1024, true},
                         Case{1000, false}}) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, " << (c.crc ? "CRC" : "checksum"));
        const QString received = QStringLiteral("got-%1-%2").arg(c.size).arg(c.crc);
        Peer peer(m_dir.path(), RxReceiving(received, c.crc));
        ASSERT_TRUE(peer.Ready());
        m_env.Set("TRELLON_PORT", QFile::encodeName(peer.Port));
        const std::string sent = Pattern(c.size);
        const int result = SendFileEx(WriteFile(QStringLiteral("sent.bin"), sent).constData());
        ASSERT_EQ(result, TRELLON_OK) << TrellonLastErrorDetail();
        EXPECT_STREQ(TrellonLastErrorDetail(), "");
        ASSERT_TRUE(peer.Finished(10000)) << "rx is still waiting";
        const std::string got = testutil::ReadFileBytes(Path(received));
        EXPECT_EQ(got.size(), Padded(sent).size());
        EXPECT_TRUE(got == Padded(sent)) << "the received bytes differ";
    }
}

TEST_F(TrellonSendFile, AReceiverThatNeverAnswersEndsInATimeout)
{
    Peer peer(m_dir.path(), testutil::SilentReceiver());
    ASSERT_TRUE(peer.Ready());
    m_env.Set("TRELLON_PORT", QFile::encodeName(peer.Port));
    m_env.Set("TRELLON_TIMEOUT_MS", "300");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(SendFileEx(WriteFile(QStringLiteral("sent.bin"), Pattern(500)).constData()), TRELLON_ERR_NO_RECEIVER);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_NE(std::string(TrellonLastErrorDetail()), "");
}

TEST_F(TrellonSendFile, PortsThatCannotBeUsedAreNamed)
{
    const QByteArray file = WriteFile(QStringLiteral("sent.bin"), Pattern(500));
    const QString missing = Path(QStringLiteral("no-such-port"));
    struct Case { QString port; int expected; };
    const Case cases[] = {
        {missing, TRELLON_ERR_NO_PORT},
        {Path(QStringLiteral("sent.bin")), TRELLON_ERR_NO_PORT},  // a file, no terminal
        {m_dir.path(), TRELLON_ERR_NO_PORT},
    };
    for (const Case &c : cases) {
        m_env.Set("TRELLON_PORT", QFile::encodeName(c.port));
        EXPECT_EQ(SendFileEx(file.constData()), c.expected) << c.port.toStdString();
        EXPECT_NE(std::string(TrellonLastErrorDetail()).find(c.port.toStdString()), std::string::npos)
            << TrellonLastErrorDetail();
    }

    Peer peer(m_dir.path(), testutil::SilentReceiver());
    ASSERT_TRUE(peer.Ready());
    QSerialPort holder(peer.Port);
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
    m_env.Set("TRELLON_PORT", QFile::encodeName(peer.Port));
    EXPECT_EQ(SendFileEx(file.constData()), TRELLON_ERR_PORT_BUSY) << TrellonLastErrorDetail();
}

TEST_F(TrellonSendFile, FileProblemsAreFoundBeforeThePortIsTouched)
{
    m_env.Set("TRELLON_PORT", QFile::encodeName(Path(QStringLiteral("no-such-port"))));
    EXPECT_EQ(SendFileEx(nullptr), TRELLON_ERR_NO_FILE_GIVEN);
    EXPECT_EQ(SendFileEx(""), TRELLON_ERR_NO_FILE_GIVEN);
    EXPECT_EQ(SendFileEx(QFile::encodeName(Path(QStringLiteral("font.dat"))).constData()), TRELLON_ERR_FILE_MISSING);
    EXPECT_NE(std::string(TrellonLastErrorDetail()).find("font.dat"), std::string::npos);
    EXPECT_EQ(SendFileEx(QFile::encodeName(m_dir.path()).constData()), TRELLON_ERR_FILE_UNREADABLE);
}

TEST_F(TrellonSendFile, BadSpeedsAndTimeoutsAreRefused)
{
    const QByteArray file = WriteFile(QStringLiteral("sent.bin"), Pattern(10));
    m_env.Set("TRELLON_PORT", QFile::encodeName(Path(QStringLiteral("no-such-port"))));
    const std::pair<const char *, const char *> cases[] = {
        {"TRELLON_BAUD", "fast"}, {"TRELLON_BAUD", "0"}, {"TRELLON_BAUD", "-9600"}, {"TRELLON_BAUD", "99999999999"},
        {"TRELLON_TIMEOUT_MS", "0"}, {"TRELLON_TIMEOUT_MS", "1.5"}, {"TRELLON_TIMEOUT_MS", "600001"},
    };
    for (const auto &[name, value] : cases) {
        ScopedEnvironment env;
        env.Set(name, value);
        EXPECT_EQ(SendFileEx(file.constData()), TRELLON_ERR_BAD_SETTINGS) << name << '=' << value;
        EXPECT_NE(std::string(TrellonLastErrorDetail()).find(name), std::string::npos) << TrellonLastErrorDetail();
    }
}

TEST_F(TrellonSendFile, SavedSettingsServeWhenTheEnvironmentSaysNothing)
{
    Peer peer(m_dir.path(), RxReceiving(QStringLiteral("got.bin"), true));
    ASSERT_TRUE(peer.Ready());
    ASSERT_EQ(TrellonSaveSettings(QFile::encodeName(peer.Port).constData(), 57600), TRELLON_OK);

    char port[512];
    long baud = 0;
    ASSERT_EQ(TrellonCurrentPort(port, sizeof port, &baud), TRELLON_OK);
    EXPECT_EQ(QFile::decodeName(port), peer.Port);
    EXPECT_EQ(baud, 57600);
    char shortBuffer[4];
    TrellonCurrentPort(shortBuffer, sizeof shortBuffer, nullptr);
    EXPECT_EQ(std::string(shortBuffer), peer.Port.left(3).toStdString());

    const std::string sent = Pattern(300);
    ASSERT_EQ(SendFileEx(WriteFile(QStringLiteral("sent.bin"), sent).constData()), TRELLON_OK)
        << TrellonLastErrorDetail();
    ASSERT_TRUE(peer.Finished(10000));
    EXPECT_TRUE(testutil::ReadFileBytes(Path(QStringLiteral("got.bin"))) == Padded(sent));

    {
        ScopedEnvironment env;
        env.Set("TRELLON_PORT", "ttyUSB7");
        env.Set("TRELLON_BAUD", "9600");
        ASSERT_EQ(TrellonCurrentPort(port, sizeof port, &baud), TRELLON_OK);
        EXPECT_STREQ(port, "ttyUSB7");
        EXPECT_EQ(baud, 9600);
    }

    EXPECT_EQ(TrellonSaveSettings(nullptr, -1), TRELLON_ERR_BAD_SETTINGS);
    ASSERT_EQ(TrellonSaveSettings(nullptr, 0), TRELLON_OK);
    const int code = TrellonCurrentPort(port, sizeof port, &baud);
    EXPECT_EQ(baud, 115200);
    EXPECT_NE(QFile::decodeName(port), peer.Port) << "the first port found, or none";
    EXPECT_EQ(code, port[0] ? TRELLON_OK : TRELLON_ERR_NO_PORT);
}

TEST_F(TrellonSendFile, ProgressRisesToTheSizeAndTheCallerCanCancel)
{
    struct Seen
    {
        std::vector<long long> sent;
        long long total = 0;
        bool cancel = false;
    } seen;
    const auto record = [](long long sent, long long total, void *user) {
        Seen &s = *static_cast<Seen *>(user);
        s.sent.push_back(sent);
        s.total = total;
        return s.cancel ? 1 : 0;
    };
    struct Unhook { ~Unhook() { TrellonSetProgressCallback(nullptr, nullptr); } } unhook;
    TrellonSetProgressCallback(record, &seen);
    const QByteArray file = WriteFile(QStringLiteral("sent.bin"), Pattern(200 * 1024));
    {
        Peer peer(m_dir.path(), RxReceiving(QStringLiteral("got.bin"), true));
        m_env.Set("TRELLON_PORT", QFile::encodeName(peer.Port));
        ASSERT_EQ(SendFileEx(file.constData()), TRELLON_OK) << TrellonLastErrorDetail();
        ASSERT_FALSE(seen.sent.empty());
        EXPECT_EQ(seen.total, 200 * 1024);
        EXPECT_TRUE(std::is_sorted(seen.sent.begin(), seen.sent.end()));
        EXPECT_LE(seen.sent.back(), 200 * 1024);
    }
    {
        Peer peer(m_dir.path(), RxReceiving(QStringLiteral("got2.bin"), true));
        m_env.Set("TRELLON_PORT", QFile::encodeName(peer.Port));
        seen.cancel = true;
        EXPECT_EQ(SendFileEx(file.constData()), TRELLON_ERR_CANCELLED);
        EXPECT_TRUE(peer.Finished(10000)) << "rx was not told to stop";
    }
}

TEST_F(TrellonSendFile, ACProgramWithoutQtApplicationSends)
{
    Peer peer(m_dir.path(), RxReceiving(QStringLiteral("got.bin"), true));
    ASSERT_TRUE(peer.Ready());
    const std::string sent = Pattern(5000);
    WriteFile(QStringLiteral("sent.bin"), sent);

    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TRELLON_PORT"), peer.Port);
    env.insert(QStringLiteral("QT_FATAL_WARNINGS"), QStringLiteral("1"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(TRELLON_SEND_PATH), {Path(QStringLiteral("sent.bin"))});
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    ASSERT_TRUE(peer.Finished(10000));
    EXPECT_TRUE(testutil::ReadFileBytes(Path(QStringLiteral("got.bin"))) == Padded(sent));

    tool.start(QStringLiteral(TRELLON_SEND_PATH), {Path(QStringLiteral("font.dat"))});
    ASSERT_TRUE(tool.waitForFinished(20000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().contains(TrellonErrorText(TRELLON_ERR_FILE_MISSING)));
}

TEST(TrellonErrorTexts, EveryResultHasATextOfItsOwn)
{
    const std::string unknown = TrellonErrorText(1);
    std::set<std::string> texts;
    for (int code = TRELLON_OK; code >= TRELLON_ERR_LINE; --code) {
        const std::string text = TrellonErrorText(code);
        EXPECT_NE(text, unknown) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), size_t(1 - TRELLON_ERR_LINE));
    EXPECT_EQ(TrellonErrorText(TRELLON_ERR_LINE - 1), unknown);
    EXPECT_EQ(TrellonErrorText(-1000), unknown);
}
