#pragma once
// CExportDlg: "导出显示库字体", the font export's choices: the format, the bit depth, the font's
// C name and the file to write. A sample character drawn at the chosen bit depth shows in the
// dialog itself; the glyph view keeps the dots of the glyph files.

#include "export/exportglyph.h"
#include "export/fontexport.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
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

    // Draws the sample character at a bit depth; the sample shows the depth chosen, now and at
    // each change.
    void SetDepthSample(std::function<ExportGlyph(int bpp)> draw);

private:
    QLabel *CreateDepthPreview();
    void ShowDepthSample();
    void OnFormatChosen();
    void OnBrowse();
    const ExportFormatInfo &ChosenFormat() const;

    FontExportRequest m_request;
    QComboBox *m_format;
    QComboBox *m_bpp;
    QLineEdit *m_name;
    QLineEdit *m_file;
    QLabel *m_depthSample = nullptr;
    std::function<ExportGlyph(int bpp)> m_drawSample;
};
