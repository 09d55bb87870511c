#pragma once
// CAboutDlg: the about box, with the program's version, rights line and a word to the user.

#include <QDialog>

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};
