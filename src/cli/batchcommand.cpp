#include "batchcommand.h"

#include "charset/cp936.h"
#include "l10n/failuretext.h"
#include "clisupport.h"
#include "encode/batchrun.h"
#include "output/atomicfile.h"
#include "progressbar.h"

#include <QElapsedTimer>


int RunBatchCommand(const CliOptions &options, const std::string &list, OutputDirectory &output, std::ostream &out,
                    std::ostream &err)
{
    GlyphSettings settings = options.Settings;
    DotMatrix matrix;
    JobControl control;
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
    const bool interrupted = RunWithProgressBar(
        control, err, [&] { result = BatchGenerate(list, settings, matrix, output, options.Data, control, hooks); });
    const double seconds = double(clock.nsecsElapsed()) / 1e9;

    if (result.State == BatchResult::Cancelled || (interrupted && result.State != BatchResult::Done))
        return Fail(err, DotrixCli::tr("the batch was interrupted after %1 of %2 characters; the files written so far are kept")
                             .arg(result.Glyphs)
                             .arg(total));
    if (result.State != BatchResult::Done) {
        if (result.FailedFile.isEmpty())
            return Fail(err, DotrixCli::tr("the batch stopped at character %1 of %2: %3")
                                 .arg(result.Glyphs + 1)
                                 .arg(total)
                                 .arg(FailureText(result.Error)));
        return Fail(err, DotrixCli::tr("the batch failed while writing %1: %2").arg(result.FailedFile, FailureText(result.Error)));
    }
    int files = result.FilesWritten;
    if (!options.SavePath.isEmpty()) {
        Failure error;
        if (!CopyFileReplacing(result.DataPath, options.SavePath, &error))
            return Fail(err, error);
        ++files;
    }
    ReportInk(err, result.Ink, settings, result.OffsetY != options.Settings.OffsetY);
    QString summary = DotrixCli::tr("%1 glyphs, %2 files, All.c %3 bytes").arg(result.Glyphs).arg(files).arg(result.AllBytes);
    if (result.DataBytes >= 0)
        summary += result.Indexed ? DotrixCli::tr(", font.dat %1 bytes with index").arg(result.DataBytes)
                                  : DotrixCli::tr(", font.dat %1 bytes").arg(result.DataBytes);
    summary += DotrixCli::tr(", %1 s").arg(seconds, 0, 'f', 2);
    out << summary.toStdString() << '\n';
    return ExitOk;
}
