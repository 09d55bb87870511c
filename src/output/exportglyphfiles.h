#pragma once
// The export command: the output directory's glyph files copied into a folder of the user's.

#include <QString>
#include <QStringList>

#include <functional>

struct ExportResult
{
    int Copied = 0;
    QStringList Failures; // one line a file that was not copied: what and why
    bool Stopped = false; // progress asked to stop before every file was tried
};

// Copies every .bmp file of the output directory, then every .c file, each in name order, into
// folder under its own name, replacing files there: whatever the runs, the single-glyph commands
// or the user left there, All.c and Index.c included. progress, when set, is told after each file
// how many of all the files have been tried, and stops the copying by returning false.
ExportResult ExportGlyphFiles(const QString &outputDir, const QString &folder,
                              const std::function<bool(int tried, int total)> &progress = {});
