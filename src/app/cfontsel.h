#pragma once
// CFontSel: the character list pane on the right of the main window.

#include <QWidget>

#include <string>

class CFontSel : public QWidget
{
    Q_OBJECT
public:
    explicit CFontSel(QWidget *parent = nullptr);

    // Start-up and every new or opened document.
    void OnInitialUpdate();
    // A character the user typed into the character box joins the list when it is missing there.
    void AddTypedCharacter(const std::string &character);

    std::string ListText; // the character list, code page 936
    int CharCount = 0;
};
