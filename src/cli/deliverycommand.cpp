#include "deliverycommand.h"

#include "l10n/failuretext.h"
#include "clisupport.h"
#include "delivery/serialsend.h"
#include "encode/batchrun.h"
#include "output/atomicfile.h"
#include "progressbar.h"

#include <QDir>
#include <QFileInfo>


int RunDeliveryCommand(const CliOptions &options, OutputDirectory &output, std::ostream &out, std::ostream &err)
{
    const QString source = output.FilePath(DataFileName);
    if (!QFileInfo(source).isFile()) {
        return Fail(err, DotrixCli::tr("%1 is missing: make it with --batch --data dat (or --data bin)").arg(source));
    }
    if (!options.CopyTo.isEmpty()) {
        const QFileInfo folder(options.CopyTo);
        if (!folder.isDir()) {
            return Fail(err, (folder.exists() ? DotrixCli::tr("%1 is not a directory") : DotrixCli::tr("%1 does not exist"))
                                 .arg(options.CopyTo));
        }
        const QString target = QDir(options.CopyTo).filePath(DataFileName);
        Failure error;
        if (!CopyFileReplacing(source, target, &error)) {
            return Fail(err, error);
        }
        out << target.toStdString() << '\n';
    }
    if (options.SendSerial) {
        JobControl control;
        SerialSendResult result;
        RunWithProgressBar(control, err, [&] { result = SendFileSerial(source, &control); });
        if (!result.Ok) {
            return Fail(err, DotrixCli::tr("font.dat was not sent: %1").arg(FailureText(result.Error)));
        }
        out << DotrixCli::tr("font.dat sent over the serial port").toStdString() << '\n';
    }
    return ExitOk;
}
