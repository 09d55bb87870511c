#include "serialsend.h"

#include "trellon.h"

#include <QFile>

#include <mutex>

namespace {

// The library has one progress callback for the whole process: one send at a time.
std::mutex SendMutex;

int OnProgress(long long sent, long long total, void *user)
{
    auto *control = static_cast<JobControl *>(user);
    control->SetTotal(total);
    control->SetDone(sent);
    return control->Cancelled() ? 1 : 0;
}

} // namespace

SerialSendResult SendFileSerial(const QString &path, JobControl *job)
{
    std::lock_guard lock(SendMutex);
    JobControl unwatched;
    JobControl *control = job ? job : &unwatched;
    const JobScope scope(*control);
    // The path goes to the library as it is, however long: no fixed-size buffer in between.
    const QByteArray encoded = QFile::encodeName(path);
    TrellonSetProgressCallback(&OnProgress, control);
    const int code = SendFileEx(encoded.constData());
    TrellonSetProgressCallback(nullptr, nullptr);
    SerialSendResult result;
    result.Ok = code == TRELLON_OK;
    result.Code = code;
    char port[512] = {};
    TrellonCurrentPort(port, sizeof port, nullptr);
    result.Port = QFile::decodeName(port);
    if (!result.Ok)
        result.Error = {FailureCode::SerialSend, result.Port, {},
                        {QString::number(code), QString::fromUtf8(TrellonLastErrorDetail())}};
    return result;
}
