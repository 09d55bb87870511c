#pragma once
// Serial peers for tests: socat holding a pseudo-terminal that the sender opens as its port, with
// a real XMODEM receiver (lrzsz's rx), a silent terminal or nothing behind it; and environment
// variables set for one test.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace testutil {

// The first of the named programs found on PATH, or empty.
QString FindTool(const QStringList &names);

// Sets environment variables for one test and puts the old values back afterwards.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;
    ~ScopedEnvironment();
    void Set(const char *name, const QByteArray &value);
    void Unset(const char *name);

private:
    void Save(const char *name);
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

// socat holding a pseudo-terminal for the sender at Port; its other side is the given socat
// address, e.g. a program to run in the directory. rx talks to socat through a socket pair, not a
// terminal: on exit it flushes its terminal, which can swallow its last ACK before socat reads it.
class SerialPeer
{
public:
    SerialPeer(const QString &directory, const QString &otherSide, const QString &portName = QStringLiteral("port"));
    ~SerialPeer();
    SerialPeer(const SerialPeer &) = delete;
    SerialPeer &operator=(const SerialPeer &) = delete;

    bool Ready() const;
    // True when the program on the other side has ended (and socat with it) within the time.
    bool Finished(int ms);

    const QString Port;

private:
    QProcess m_socat;
};

// The socat address of rx receiving into file (a name relative to the peer's directory), asking
// with CRC or with the plain checksum.
QString RxReceiving(const QString &file, bool crc = true);
// The socat address of a terminal where nobody ever answers.
QString SilentReceiver();

} // namespace testutil
