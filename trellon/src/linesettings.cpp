#include "linesettings.h"

#include "trellon.h"

#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>
#include <limits>

namespace {

constexpr qint32 DefaultBaud = 115200;
constexpr int MaxTimeoutMs = 600000;

QSettings SavedSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Dotrix"), QStringLiteral("trellon"));
}

// A whole number from min to max in the environment variable; false when it is set to anything else.
bool NumberFromEnvironment(const char *name, qint64 min, qint64 max, qint64 &value, std::string &detail)
{
    if (!qEnvironmentVariableIsSet(name))
        return true;
    const QString text = qEnvironmentVariable(name).trimmed();
    bool ok = false;
    const qint64 number = text.toLongLong(&ok);
    if (!ok || number < min || number > max) {
        detail = std::string(name) + "=\"" + text.toStdString() + "\" is not a number from " + std::to_string(min)
                 + " to " + std::to_string(max);
        return false;
    }
    value = number;
    return true;
}

QString FirstPortFound()
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(),
              [](const QSerialPortInfo &a, const QSerialPortInfo &b) { return a.portName() < b.portName(); });
    return ports.isEmpty() ? QString() : ports.first().portName();
}

} // namespace

int ResolveLineSettings(LineSettings &settings, std::string &detail)
{
    const QSettings saved = SavedSettings();
    settings = LineSettings();

    qint64 baud = saved.value(QStringLiteral("baud")).toInt();
    if (baud <= 0)
        baud = DefaultBaud;
    if (!NumberFromEnvironment("TRELLON_BAUD", 1, std::numeric_limits<qint32>::max(), baud, detail))
        return TRELLON_ERR_BAD_SETTINGS;
    settings.Baud = qint32(baud);

    qint64 timeout = 0;
    if (!NumberFromEnvironment("TRELLON_TIMEOUT_MS", 1, MaxTimeoutMs, timeout, detail))
        return TRELLON_ERR_BAD_SETTINGS;
    if (timeout > 0)
        settings.Timing.StartTimeoutMs = settings.Timing.AnswerTimeoutMs = int(timeout);

    settings.Port = qEnvironmentVariable("TRELLON_PORT").trimmed();
    if (settings.Port.isEmpty())
        settings.Port = saved.value(QStringLiteral("port")).toString().trimmed();
    if (settings.Port.isEmpty())
        settings.Port = FirstPortFound();
    if (settings.Port.isEmpty()) {
        detail = "no serial port found on this computer";
        return TRELLON_ERR_NO_PORT;
    }
    return TRELLON_OK;
}

void SaveLineSettings(const QString &port, qint32 baud)
{
    QSettings saved = SavedSettings();
    if (port.isEmpty())
        saved.remove(QStringLiteral("port"));
    else
        saved.setValue(QStringLiteral("port"), port);
    if (baud <= 0)
        saved.remove(QStringLiteral("baud"));
    else
        saved.setValue(QStringLiteral("baud"), baud);
}
