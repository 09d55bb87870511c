#include "deliverycommand.h"

#include "clisupport.h"
#include "delivery/serialsend.h"
#include "encode/batchrun.h"
#include "output/atomicfile.h"
#include "progressbar.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

int RunDeliveryCommand(const CliOptions &options, OutputDirectory &output, std::ostream &out, std::ostream &err)
{
    const QString source = output.FilePath(DataFileName);
    if (!QFileInfo(source).isFile()) {
        err << "dotrix-cli: " << source.toStdString()
            << " is missing: make it with --batch --data dat (or --data bin)\n";
        return ExitFailure;
    }
    if (!options.CopyTo.isEmpty()) {
        const QFileInfo folder(options.CopyTo);
        if (!folder.isDir()) {
            err << "dotrix-cli: " << options.CopyTo.toStdString()
                << (folder.exists() ? " is not a directory\n" : " does not exist\n");
            return ExitFailure;
        }
        const QString target = QDir(options.CopyTo).filePath(DataFileName);
        QString error;
        if (!CopyFileReplacing(source, target, &error)) {
            return Fail(err, error);
        }
        out << target.toStdString() << '\n';
    }
    if (options.SendSerial) {
        SerialSendControl control;
        SerialSendResult result;
        std::atomic<bool> done{false};
        std::thread sender([&] {
            result = SendFileSerial(source, &control);
            done = true;
        });
        const bool terminal = isatty(STDERR_FILENO);
        while (!done) {
            if (terminal) {
                const long long total = control.Total;
                DrawBar(err, int(total > 0 ? control.Sent * 100 / total : 0), 100);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        sender.join();
        if (terminal)
            err << '\n';
        if (!result.Ok) {
            err << "dotrix-cli: font.dat was not sent: " << result.Error.toStdString() << '\n';
            return ExitFailure;
        }
        out << "font.dat sent over the serial port\n";
    }
    return ExitOk;
}
