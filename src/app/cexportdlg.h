#pragma once
// CExportDlg: "导出显示库字体", the font export's choices: the format, the bit depth (and LVGL's
// compression), how far each glyph moves the pen (and the font's kerning), the font's C name and
// the file to write, with a line of sample text set as the chosen font would set it. The bit
// depth is announced as it changes, so the summary's glyphs
// show it in the dialog itself; the glyph view keeps the dots of the glyph files.

#include "export/fontexport.h"
#include "raster/glyphsettings.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QScrollArea;

class CExportDlg : public QDialog
{
    Q_OBJECT
public:
    // request: the choices shown first; defaultName: the font's name when the name box is left
    // empty; startDir: where the file goes when none was chosen before.
    CExportDlg(const FontExportRequest &request, const QString &defaultName, const QString &startDir,
               QWidget *parent = nullptr);

    // The choices, after OK; an empty name stands for the default one.
    const FontExportRequest &Request() const { return m_request; }
    void accept() override; // stays open with a message while the name or the file is not right
    // Puts what the export writes (exportsummary.h) at the dialog's head.
    void AddSummary(QWidget *summary);
    // Puts the preview above the buttons: text (editable, shown first) set with the font settings
    // draw with, as the chosen format, bit depth, advance and kerning set it, enlarged; characters
    // of the line that are not in list (what the export writes) are named. settings must outlive
    // the dialog.
    void AddPreview(const GlyphSettings &settings, const QString &text, const std::vector<CodePointChar> &list);

signals:
    // The bit depth chosen in the dialog, at each change (the summary's glyphs follow it).
    void BppChosen(int bpp);

private:
    void OnFormatChosen();
    void OfferCompression(); // the check box enabled for lvgl at 2 and 4 bpp only
    void OnBrowse();
    const ExportFormatInfo &ChosenFormat() const;
    // The advance (字宽) and kerning (字距调整) row.
    void AddSpacingRow(QFormLayout *form);
    void OnSpacingChosen();
    // The choices the dialog shows now, without checking them.
    FontExportRequest ShownRequest() const;
    void ShowPreview();

    FontExportRequest m_request;
    QComboBox *m_format;
    QComboBox *m_bpp;
    QCheckBox *m_compress; // LVGL's compressed bitmaps: enabled for lvgl at 2 and 4 bpp
    QLineEdit *m_name;
    QLineEdit *m_file;
    QComboBox *m_advance = nullptr;
    QCheckBox *m_kerning = nullptr;
    // The preview, once added.
    const GlyphSettings *m_previewSettings = nullptr;
    std::vector<char32_t> m_exported; // the export list's code points, ascending
    QLineEdit *m_previewText = nullptr;
    QScrollArea *m_previewArea = nullptr;
    QLabel *m_preview = nullptr;
    QLabel *m_previewNote = nullptr;
};
