#pragma once
// CIndexDlg: "索引", asks whether font.dat gets a 16-bit index before each glyph and its first
// value, four hex digits.

#include <QDialog>
#include <QString>

#include <cstdint>

class QLineEdit;

class CIndexDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CIndexDlg(QWidget *parent = nullptr);
    // Shows the dialog; true with the first index in start after OK, false after Cancel.
    static bool Ask(QWidget *parent, uint16_t &start);

    QString m_strIndex = QStringLiteral("0000"); // the box's text
    int m_nIndex = 0;                            // the first index, 0 to 65535, after OK

    QLineEdit *IndexEdit() const { return m_edit; }
    void accept() override; // checks the value; stays open when it is not four hex digits

private:
    QLineEdit *m_edit;
};
