#pragma once
// What the window remembers between runs, per user, in the program's QSettings file: the
// generation settings the user chose (font, size, offset, scan, group length, inversion, bit
// order, format and naming, zoom), the folder glyph files were last exported to, the font export's
// format, bit depth, font name, advance and kerning, the language chosen under 查看, and the
// window's geometry, bar layout and pane sizes. dotrix-cli never reads them.

#include "export/fontexport.h"
#include "l10n/language.h"
#include "raster/glyphsettings.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QSettings;

struct WindowSettings
{
    GlyphSettings Glyph;       // only the settings the user chooses; text and picture name stay empty
    bool CustomSize = false;   // the size was typed into the custom edits, not a preset
    QString ExportDirectory;   // where 导出所有字模文件 last wrote; empty: none yet
    FontExportRequest FontExport; // the export dialog's format, bit depth, name, advance and
                                  // kerning; no file
    std::optional<Language> ChosenLanguage; // chosen under 查看; none: the locale decides
    QByteArray Geometry;       // QWidget::saveGeometry
    QByteArray BarLayout;      // QMainWindow::saveState: toolbar and control bar
    QByteArray OuterSplit;     // QSplitter::saveState of the panes' splitters
    QByteArray LeftSplit;
};

struct WindowSettingsRead
{
    std::optional<WindowSettings> Settings; // none: nothing remembered, or ignored
    QString Problem; // why the file was ignored (what and where), empty when it was not
};

// Reads the window's settings. A file that cannot be parsed, that another program or version
// wrote, or that holds a value this program never writes is ignored as a whole, with the reason.
WindowSettingsRead ReadWindowSettings(QSettings &store);
// Writes them, replacing the whole file's contents when it could not be read.
void WriteWindowSettings(QSettings &store, const WindowSettings &settings);
