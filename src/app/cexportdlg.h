#pragma once
// CExportDlg: "导出显示库字体", the font export's choices: the format, the bit depth (and LVGL's
// compression), the font's C name and the file to write. The bit depth is announced as it changes, so the summary's glyphs
// show it in the dialog itself; the glyph view keeps the dots of the glyph files.

#include "export/fontexport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

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

signals:
    // The bit depth chosen in the dialog, at each change (the summary's glyphs follow it).
    void BppChosen(int bpp);

private:
    void OnFormatChosen();
    void OfferCompression(); // the check box enabled for lvgl at 2 and 4 bpp only
    void OnBrowse();
    const ExportFormatInfo &ChosenFormat() const;

    FontExportRequest m_request;
    QComboBox *m_format;
    QComboBox *m_bpp;
    QCheckBox *m_compress; // LVGL's compressed bitmaps: enabled for lvgl at 2 and 4 bpp
    QLineEdit *m_name;
    QLineEdit *m_file;
};
