#include "exportglyphfiles.h"

#include "atomicfile.h"

#include <QDir>

ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder, JobControl *job)
{
    JobControl unwatched;
    JobControl &control = job ? *job : unwatched;
    ExportResult result;
    const QDir source(outputDir);
    const QDir target(folder);
    QStringList names;
    for (const QString &pattern : {QStringLiteral("*.bmp"), QStringLiteral("*.c")})
        names += source.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
    const JobScope scope(control, names.size());
    int tried = 0;
    for (const QString &name : names) {
        if (control.Cancelled()) {
            result.Stopped = true;
            break;
        }
        Failure failure;
        if (CopyFileReplacing(source.filePath(name), target.filePath(name), &failure))
            ++result.Copied;
        else
            result.Failures.append(failure);
        control.SetDone(++tried);
    }
    return result;
}
