#pragma once
// FontExporter: the window's side of the font export — the export dialog, the glyph view's
// shades of the chosen bit depth, and the report of a finished export. The run itself goes
// through the window's BatchRunner like a batch.

#include "export/codepointlist.h"
#include "export/fontexport.h"
#include "raster/glyphsettings.h"

#include <QObject>

#include <string>
#include <vector>

class CDotrixView;
class QMainWindow;

class FontExporter : public QObject
{
    Q_OBJECT
public:
    FontExporter(const GlyphSettings &settings, CDotrixView *view, QMainWindow *window);

    // The export choices (format, bit depth, name, file) the export dialog shows next.
    FontExportRequest &Choice() { return m_request; }

    // What an export runs over.
    struct Job
    {
        std::vector<CodePointChar> Characters;
        FontExportRequest Request;
    };
    // Asks for the choices for list (code page 936); startDir is where the file goes when none was
    // chosen before. False when there is nothing to export (said in a message) or the user
    // cancelled.
    bool Prepare(const std::string &list, const QString &startDir, Job &job);
    // Says how the export went: a message for a failure or a note, the status bar otherwise.
    void Report(const FontExportResult &result);

    // The matrix was drawn from character (empty: a picture or a batch filled it): its shades
    // show while an export bit depth above 1 is chosen.
    void ShadeGlyph(const std::string &character);
    // Draws the shades again with the settings as they are now.
    void RefreshShades();

private:
    void ShowShades(int bpp);

    const GlyphSettings &m_settings;
    CDotrixView *m_view;
    QMainWindow *m_window;
    FontExportRequest m_request;
    std::string m_shadedCharacter;
    int m_unmapped = 0; // characters of the last export without a code point
};
