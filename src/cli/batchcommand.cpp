#include "batchcommand.h"

#include "charset/cp936.h"
#include "encode/batchrun.h"
#include "delivery/serialsend.h"
#include "encode/indextable.h"
#include "progressbar.h"

#include <QDir>
#include <QFileInfo>

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <iomanip>
#include <thread>
#include <unistd.h>


int RunBatchCommand(const CliOptions &options, const std::string &list, OutputDirectory &output, std::ostream &out,
                    std::ostream &err)
{
    GlyphSettings settings = options.Settings;
    settings.ProgramDir = output.Path();
    DotMatrix matrix;
    BatchControl control;
    BatchHooks hooks;
    const std::optional<uint16_t> index = options.Index;
    hooks.AskIndex = [index](uint16_t &start) {
        if (index)
            start = *index;
        return index.has_value();
    };
    const int total = int(CountChars(list));

    QElapsedTimer clock;
    clock.start();
    BatchResult result;
    RunWithProgressBar(control, total, err,
                       [&] { result = BatchGenerate(list, settings, matrix, output, options.DataMode, control, hooks); });
    const double seconds = double(clock.nsecsElapsed()) / 1e9;

    if (result.State != BatchResult::Done) {
        err << "dotrix-cli: the batch stopped at character " << result.Glyphs + 1 << " of " << total << ": "
            << result.Error.toStdString() << '\n';
        return 1;
    }
    int files = result.FilesWritten;
    if (!options.SavePath.isEmpty()) {
        QString error;
        if (!CopyFileReplacing(result.DataPath, options.SavePath, &error)) {
            err << "dotrix-cli: " << error.toStdString() << '\n';
            return 1;
        }
        ++files;
    }
    out << result.Glyphs << " glyphs, " << files << " files, All.c " << result.AllBytes << " bytes";
    if (result.DataBytes >= 0)
        out << ", font.dat " << result.DataBytes << " bytes" << (result.Indexed ? " with index" : "");
    out << ", " << std::fixed << std::setprecision(2) << seconds << " s\n";
    return 0;
}

int RunIndexTableCommand(const std::string &list, OutputDirectory &output, std::ostream &out, std::ostream &err)
{
    QString path, error;
    switch (WriteIndexTable(list, output, &path, &error)) {
    case IndexTableResult::EmptyList:
        err << "dotrix-cli: the list is empty; no Index.c written\n";
        return 1;
    case IndexTableResult::Failed:
        err << "dotrix-cli: " << error.toStdString() << '\n';
        return 1;
    case IndexTableResult::Written:
        out << path.toStdString() << '\n';
        return 0;
    }
    return 1;
}

int RunDeliveryCommand(const CliOptions &options, OutputDirectory &output, std::ostream &out, std::ostream &err)
{
    const QString source = output.FilePath(DataFileName);
    if (!QFileInfo(source).isFile()) {
        err << "dotrix-cli: " << source.toStdString()
            << " is missing: make it with --batch --data dat (or --data bin)\n";
        return 1;
    }
    if (!options.CopyTo.isEmpty()) {
        if (!QFileInfo(options.CopyTo).isDir()) {
            err << "dotrix-cli: " << options.CopyTo.toStdString() << " is not a directory\n";
            return 1;
        }
        const QString target = QDir(options.CopyTo).filePath(DataFileName);
        QString error;
        if (!CopyFileReplacing(source, target, &error)) {
            err << "dotrix-cli: " << error.toStdString() << '\n';
            return 1;
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
            return 1;
        }
        out << "font.dat sent over the serial port\n";
    }
    return 0;
}
