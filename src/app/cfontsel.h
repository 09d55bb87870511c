#pragma once
// CFontSel is the character list pane (the name is kept from the program's first design).
// It stands on the right of the main window: the list a batch run turns into glyphs, its count,
// and the filter, sort and duplicate-removal tools.

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CFontSel : public QWidget
{
    Q_OBJECT
public:
    explicit CFontSel(QWidget *parent = nullptr);

    // Start-up and every new or opened document.
    void OnInitialUpdate();
    // Gives the buttons and labels their texts in the language in use.
    void RetranslateUi();

    // The fields other parts of the program read and write. Whoever reads them first pulls the
    // controls into them; whoever changes them pushes them back.
    std::string ListText; // the character list, code page 936
    int CharCount = 0;
    bool AutoDeleteDuplicates = true;

    void PullFields();
    void PushFields();
    // Replaces the list from the program (import, conversion): pushes it without running the
    // duplicate removal that the user's own edits run.
    void SetList(const std::string &text, int count);

    // A character the user typed into the character box joins the list when it is missing there.
    void AddTypedCharacter(const std::string &character);

    void OnListTextChanged();
    void OnFilterSingleByte();
    void OnSort();
    // Asks for a file (or a folder, read with every file in it) and adds the characters of its
    // strings and text that the list does not hold yet to the list's end; the status bar says how
    // many were new.
    void OnCollect(bool folder);

    QPlainTextEdit *ListEdit() const { return m_listEdit; }
    QLineEdit *CountEdit() const { return m_countEdit; }
    QCheckBox *AutoDeleteCheck() const { return m_autoDelete; }

signals:
    // Something the status bar should say (characters left out of the list, and the like).
    void StatusMessage(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PushKeepingCursor();

    QPlainTextEdit *m_listEdit;
    // What the edit was last given: the list's bytes, their text, and for every UTF-16 unit of
    // the text the byte where its character starts (one more entry for the end). A user's edit
    // changes only the bytes of the characters it touched; the edit shows CR LF, a lone CR and a
    // lone LF alike as one line break, and the list keeps which one it was.
    std::string m_shownList;
    QString m_shownText;
    std::vector<size_t> m_shownBytes;
    QLineEdit *m_countEdit;
    QCheckBox *m_autoDelete;
    QPushButton *m_filterButton;
    QPushButton *m_sortButton;
    QPushButton *m_collectButton;
    QString m_collectedFrom; // the last file or folder collected from, where the next choice starts
    QLabel *m_totalLabel;
    QLabel *m_unitLabel;
    bool m_pushing = false;
};
