#pragma once
// The export command: the output directory's glyph files copied into a folder of the user's.

#include <QString>
#include <QStringList>

struct ExportResult
{
    int Copied = 0;
    QStringList Failures; // one line a file that was not copied: what and why
};

// Copies every .bmp file of the output directory, then every .c file, each in name order, into
// folder under its own name, replacing files there: whatever the runs, the single-glyph commands
// or the user left there, All.c and Index.c included.
ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder);
