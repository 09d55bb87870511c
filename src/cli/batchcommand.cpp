#include "batchcommand.h"

#include "charset/cp936.h"
#include "clisupport.h"
#include "encode/batchrun.h"
#include "output/atomicfile.h"
#include "progressbar.h"

#include <QElapsedTimer>

#include <iomanip>

int RunBatchCommand(const CliOptions &options, const std::string &list, OutputDirectory &output, std::ostream &out,
                    std::ostream &err)
{
    GlyphSettings settings = options.Settings;
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
        if (result.FailedFile.isEmpty())
            err << "dotrix-cli: the batch stopped at character " << result.Glyphs + 1 << " of " << total;
        else
            err << "dotrix-cli: the batch failed while writing " << result.FailedFile.toStdString();
        err << ": " << result.Error.toStdString() << '\n';
        return ExitFailure;
    }
    int files = result.FilesWritten;
    if (!options.SavePath.isEmpty()) {
        QString error;
        if (!CopyFileReplacing(result.DataPath, options.SavePath, &error))
            return Fail(err, error);
        ++files;
    }
    out << result.Glyphs << " glyphs, " << files << " files, All.c " << result.AllBytes << " bytes";
    if (result.DataBytes >= 0)
        out << ", font.dat " << result.DataBytes << " bytes" << (result.Indexed ? " with index" : "");
    out << ", " << std::fixed << std::setprecision(2) << seconds << " s\n";
    return ExitOk;
}
