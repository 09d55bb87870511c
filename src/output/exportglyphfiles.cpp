#include "exportglyphfiles.h"

#include "atomicfile.h"

#include <QDir>

ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder)
{
    ExportResult result;
    const QDir source(outputDir);
    const QDir target(folder);
    for (const QString &pattern : {QStringLiteral("*.bmp"), QStringLiteral("*.c")}) {
        for (const QString &name : source.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name)) {
            QString error;
            if (CopyFileReplacing(source.filePath(name), target.filePath(name), &error))
                ++result.Copied;
            else
                result.Failures.append(error);
        }
    }
    return result;
}
