#pragma once
// FontExporter: the window's side of the font export — the export dialog (with its sample of the
// chosen bit depth) and the report of a finished export. The run itself goes through the
// window's BatchRunner like a batch.

#include "export/codepointlist.h"
#include "export/fontexport.h"
#include "raster/glyphsettings.h"

#include <QObject>

#include <string>

class BatchRunner;
class QMainWindow;

class FontExporter : public QObject
{
    Q_OBJECT
public:
    FontExporter(const GlyphSettings &settings, BatchRunner &runner, QMainWindow *window);

    // The export choices (format, bit depth, name, file) the export dialog shows next.
    FontExportRequest &Choice() { return m_request; }

    // Asks for the choices for list (code page 936), then starts the export on the runner;
    // startDir is where the file goes when none was chosen before. Returns the number of
    // characters the export draws, or -1 when nothing was started: a run is going, the list has
    // nothing to export (said in a message) or the user cancelled.
    int Start(const std::string &list, const QString &startDir);
    // Says how the export went: a message for a failure or a note, the status bar otherwise.
    void Report(const FontExportResult &result);

private:
    const GlyphSettings &m_settings;
    BatchRunner &m_runner;
    QMainWindow *m_window;
    FontExportRequest m_request;
    int m_unmapped = 0; // characters of the last export without a code point
};
