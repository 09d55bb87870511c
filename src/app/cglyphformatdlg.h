#pragma once
// CGlyphFormatDlg: "字模格式", five choices of layout and naming. A click writes OutputFormat and
// NumberedNames at once; OK, the close box and Esc all just end the dialog.

#include "raster/glyphsettings.h"

#include <QDialog>

class QRadioButton;

class CGlyphFormatDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CGlyphFormatDlg(GlyphSettings &settings, QWidget *parent = nullptr);

    // The radio with the given identifier (1017, 1025, 1026, 1034, 1035).
    QRadioButton *Choice(int id) const;

    void reject() override; // Esc and the close box end the dialog the same way as OK

private:
    GlyphSettings &m_settings;
};
