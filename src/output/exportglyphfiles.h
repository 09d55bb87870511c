#pragma once
// The export command: the output directory's glyph files copied into a folder of the user's.

#include "base/failure.h"
#include "base/job.h"

#include <QString>
#include <QStringList>

struct ExportResult
{
    int Copied = 0;
    QList<Failure> Failures; // each file that was not copied: what failed, and why
    bool Stopped = false; // the job was cancelled before every file was tried
};

// Copies every .bmp file of the output directory, then every .c file, each in name order, into
// folder under its own name, replacing files there: whatever the runs, the single-glyph commands
// or the user left there, All.c and Index.c included. job, when given, counts the files tried of all
// of them, and stops the copying when it is cancelled.
ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder, JobControl *job = nullptr);
