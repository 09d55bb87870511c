#pragma once
// CommandActions: the window's commands as QActions, made from one table that gives each its
// menu, text, prompt, tooltip, toolbar place and shortcut; it fills the menu bar and the toolbar.

#include "commandid.h"

#include <QObject>

#include <map>

class QAction;
class QMainWindow;
class QToolBar;

class CommandActions : public QObject
{
    Q_OBJECT
public:
    // Makes every command's action, owned by window; keyboard-only commands act in the whole
    // window.
    explicit CommandActions(QMainWindow *window);

    // The action of a command identifier, or nullptr.
    QAction *Action(int commandId) const;

    // The menus in the window's menu bar.
    void FillMenuBar();
    // The main toolbar with its buttons; the character box is added by the window.
    QToolBar *CreateToolBar();

    // Enables or disables the commands that may not start while a batch worker writes the
    // output directory.
    void SetBatchCommandsEnabled(bool enabled);

signals:
    // A command was given, before it runs.
    void CommandStarted();

private:
    QMainWindow *m_window;
    std::map<int, QAction *> m_actions;
};
