// The library's C entry points. A transfer runs on a thread of its own, which has the event
// dispatcher Qt SerialPort expects whether or not the caller has a QCoreApplication; the calling
// thread waits for it and runs the progress callback.

#include "trellon.h"

#include "linesettings.h"
#include "serialchannel.h"
#include "xmodemsender.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <mutex>
#include <string>

namespace {

constexpr int ProgressIntervalMs = 50;

struct Outcome
{
    int Code = TRELLON_OK;
    std::string Detail;
};

std::mutex g_progressMutex;
TrellonProgressFn g_progress = nullptr;
void *g_progressUser = nullptr;

thread_local std::string t_detail;

int Finish(const Outcome &outcome)
{
    t_detail = outcome.Code == TRELLON_OK ? std::string() : outcome.Detail;
    return outcome.Code;
}

std::string PortProblem(const QString &port, const QString &problem)
{
    return "port " + port.toStdString() + ": " + problem.toStdString();
}

Outcome OpenPort(QSerialPort &port, const LineSettings &settings)
{
    port.setPortName(settings.Port);
    if (port.open(QIODevice::ReadWrite)) {
        // Settings applied to an open port report their own failure (set before opening they do not).
        if (port.setBaudRate(settings.Baud) && port.setDataBits(QSerialPort::Data8)
            && port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop)
            && port.setFlowControl(QSerialPort::NoFlowControl))
            return {};
        const Outcome refused{TRELLON_ERR_BAD_SETTINGS,
                              PortProblem(settings.Port, QStringLiteral("%1 bits per second, 8N1: %2")
                                                             .arg(settings.Baud)
                                                             .arg(port.errorString()))};
        port.close();
        return refused;
    }
    const std::string problem = PortProblem(settings.Port, port.errorString());
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return {TRELLON_ERR_NO_PORT, problem};
    case QSerialPort::PermissionError: {
        // Qt reports a port held by another program (its lock file, or an exclusive open) the same
        // way as missing rights; tell them apart where the device is a file.
        const QFileInfo device(QSerialPortInfo(port).systemLocation());
        const bool denied = device.exists() && !(device.isReadable() && device.isWritable());
        return {denied ? TRELLON_ERR_PORT_ACCESS : TRELLON_ERR_PORT_BUSY, problem};
    }
    case QSerialPort::OpenError:
        return {TRELLON_ERR_PORT_BUSY, problem};
    default:
        // A file or directory that is no terminal, and the like.
        return {TRELLON_ERR_NO_PORT, PortProblem(settings.Port, QStringLiteral("not a serial port (%1)")
                                                                    .arg(port.errorString()))};
    }
}

Outcome Transfer(const QString &path, const LineSettings &settings, std::atomic<int64_t> &sent,
                 const std::atomic<bool> &stop)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {TRELLON_ERR_FILE_UNREADABLE, path.toStdString() + ": " + file.errorString().toStdString()};
    QSerialPort port;
    if (Outcome opened = OpenPort(port, settings); opened.Code != TRELLON_OK)
        return opened;
    SerialChannel channel(port, settings.Timing.AnswerTimeoutMs);
    XmodemSender sender(channel, settings.Timing);
    sender.SetCancelCheck([&](int64_t acknowledged, int64_t) {
        sent = acknowledged;
        return !stop.load();
    });
    const int code = sender.Send(file, file.size());
    return {code, sender.Detail()};
}

} // namespace

extern "C" {

int SendFileEx(const char *path)
{
    if (path == nullptr || *path == '\0')
        return Finish({TRELLON_ERR_NO_FILE_GIVEN, "no file name given"});
    const QString filePath = QFile::decodeName(path);
    const QFileInfo info(filePath);
    if (!info.exists())
        return Finish({TRELLON_ERR_FILE_MISSING, filePath.toStdString()});
    if (!info.isFile())
        return Finish({TRELLON_ERR_FILE_UNREADABLE, filePath.toStdString() + " is not a file"});

    LineSettings settings;
    Outcome outcome;
    outcome.Code = ResolveLineSettings(settings, outcome.Detail);
    if (outcome.Code != TRELLON_OK)
        return Finish(outcome);

    TrellonProgressFn progress;
    void *user;
    {
        const std::lock_guard lock(g_progressMutex);
        progress = g_progress;
        user = g_progressUser;
    }
    std::atomic<int64_t> sent{0};
    std::atomic<bool> stop{false};
    // QThread::wait synchronises inside Qt, out of sight of the thread sanitizer; the mutex hands
    // the outcome over in plain view.
    std::mutex outcomeMutex;
    QThread *worker = QThread::create([&] {
        Outcome result = Transfer(filePath, settings, sent, stop);
        const std::lock_guard lock(outcomeMutex);
        outcome = std::move(result);
    });
    worker->start();
    if (progress) {
        const long long total = info.size();
        while (!worker->wait(QDeadlineTimer(ProgressIntervalMs)))
            if (progress(sent.load(), total, user) != 0)
                stop = true;
    } else {
        worker->wait();
    }
    delete worker;
    const std::lock_guard lock(outcomeMutex);
    return Finish(outcome);
}

const char *TrellonErrorText(int code)
{
    switch (code) {
    case TRELLON_OK:
        return "The file was sent.";
    case TRELLON_ERR_NO_FILE_GIVEN:
        return "No file was given to send.";
    case TRELLON_ERR_FILE_MISSING:
        return "The file to send does not exist.";
    case TRELLON_ERR_FILE_UNREADABLE:
        return "The file to send cannot be read.";
    case TRELLON_ERR_NO_PORT:
        return "No serial port was found, or the chosen port does not exist.";
    case TRELLON_ERR_PORT_BUSY:
        return "The serial port is in use by another program.";
    case TRELLON_ERR_PORT_ACCESS:
        return "There is no permission to open the serial port.";
    case TRELLON_ERR_BAD_SETTINGS:
        return "The serial port settings are not valid for this port.";
    case TRELLON_ERR_NO_RECEIVER:
        return "The receiver never answered; is it waiting for an XMODEM transfer?";
    case TRELLON_ERR_TIMEOUT:
        return "The receiver stopped answering during the transfer.";
    case TRELLON_ERR_TOO_MANY_RETRIES:
        return "The receiver rejected a block too many times; check the speed and the cable.";
    case TRELLON_ERR_CANCELLED_BY_RECEIVER:
        return "The receiver cancelled the transfer.";
    case TRELLON_ERR_CANCELLED:
        return "The transfer was cancelled.";
    case TRELLON_ERR_LINE:
        return "Reading or writing the serial port failed; was the device unplugged?";
    default:
        return "Unknown result code.";
    }
}

const char *TrellonLastErrorDetail(void)
{
    return t_detail.c_str();
}

void TrellonSetProgressCallback(TrellonProgressFn callback, void *user)
{
    const std::lock_guard lock(g_progressMutex);
    g_progress = callback;
    g_progressUser = user;
}

int TrellonSaveSettings(const char *port, long baud)
{
    if (baud < 0 || baud > std::numeric_limits<qint32>::max())
        return TRELLON_ERR_BAD_SETTINGS;
    SaveLineSettings(port ? QString::fromLocal8Bit(port).trimmed() : QString(), qint32(baud));
    return TRELLON_OK;
}

int TrellonCurrentPort(char *port, size_t size, long *baud)
{
    LineSettings settings;
    std::string detail;
    const int code = ResolveLineSettings(settings, detail);
    const QByteArray name = settings.Port.toLocal8Bit();
    if (port != nullptr && size > 0) {
        const size_t length = std::min(size - 1, size_t(name.size()));
        std::memcpy(port, name.constData(), length);
        port[length] = '\0';
    }
    if (baud != nullptr)
        *baud = settings.Baud;
    return code;
}

} // extern "C"
