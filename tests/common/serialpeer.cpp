#include "serialpeer.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace testutil {

QString FindTool(const QStringList &names)
{
    for (const QString &name : names)
        if (const QString path = QStandardPaths::findExecutable(name); !path.isEmpty())
            return path;
    return {};
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->second)
            qputenv(it->first.constData(), *it->second);
        else
            qunsetenv(it->first.constData());
    }
}

void ScopedEnvironment::Set(const char *name, const QByteArray &value)
{
    Save(name);
    qputenv(name, value);
}

void ScopedEnvironment::Unset(const char *name)
{
    Save(name);
    qunsetenv(name);
}

void ScopedEnvironment::Save(const char *name)
{
    std::optional<QByteArray> old;
    if (qEnvironmentVariableIsSet(name))
        old = qgetenv(name);
    m_saved.emplace_back(name, old);
}

SerialPeer::SerialPeer(const QString &directory, const QString &otherSide, const QString &portName)
    : Port(directory + QLatin1Char('/') + portName)
{
    m_socat.setWorkingDirectory(directory);
    m_socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_socat.start(FindTool({QStringLiteral("socat")}),
                  {QStringLiteral("-t0.1"), QStringLiteral("pty,raw,echo=0,link=") + Port, otherSide});
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(Port) && waited.elapsed() < 5000 && m_socat.state() != QProcess::NotRunning)
        QThread::msleep(10);
}

SerialPeer::~SerialPeer()
{
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.terminate(); // socat passes the signal on to rx
        if (!m_socat.waitForFinished(3000)) {
            m_socat.kill();
            m_socat.waitForFinished(3000);
        }
    }
}

bool SerialPeer::Ready() const
{
    return QFileInfo::exists(Port);
}

bool SerialPeer::Finished(int ms)
{
    return m_socat.state() == QProcess::NotRunning || m_socat.waitForFinished(ms);
}

QString RxReceiving(const QString &file, bool crc)
{
    // -t 10: rx asks again after 1 s instead of 10 s; restricted mode wants a relative name.
    return QStringLiteral("EXEC:%1 %2-b -q -t 10 %3")
        .arg(FindTool({QStringLiteral("rx"), QStringLiteral("lrzsz-rx")}), crc ? QStringLiteral("-c ") : QString(),
             file);
}

QString SilentReceiver()
{
    return QStringLiteral("pty,raw,echo=0");
}

} // namespace testutil
