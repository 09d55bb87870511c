#include "exportglyphfiles.h"

#include "atomicfile.h"

#include <QDir>

ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder,
                              const std::function<bool(int tried, int total)> &progress)
{
    ExportResult result;
    const QDir source(outputDir);
    const QDir target(folder);
    QStringList names;
    for (const QString &pattern : {QStringLiteral("*.bmp"), QStringLiteral("*.c")})
        names += source.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
    int tried = 0;
    for (const QString &name : names) {
        QString error;
        if (CopyFileReplacing(source.filePath(name), target.filePath(name), &error))
            ++result.Copied;
        else
            result.Failures.append(error);
        if (progress && !progress(++tried, int(names.size()))) {
            result.Stopped = tried < names.size();
            break;
        }
    }
    return result;
}
