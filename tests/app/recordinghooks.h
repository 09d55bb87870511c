#pragma once
// Replaces the window's message boxes, file dialogs and editor launches with recorders for one
// test, and puts them back afterwards.

#include "app/filechooser.h"
#include "app/messages.h"
#include "app/openineditor.h"

#include <QList>
#include <QStringList>

struct RecordingHooks
{
    QStringList messages; // every message shown, in order
    QStringList opened;   // every file handed to the editor
    // What a question with OK and Cancel is answered.
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    QList<FileRequest> asked; // every file or folder asked for, in order
    QString chosen;           // what the file dialogs answer; empty means Cancel

    RecordingHooks()
    {
        SetMessageFunction([this](QWidget *, const QString &text, QMessageBox::StandardButtons buttons) {
            messages.append(text);
            return buttons.testFlag(QMessageBox::Cancel) ? answer : QMessageBox::Ok;
        });
        SetOpenerFunction([this](const QString &path) {
            opened.append(path);
            return true;
        });
        SetFileChooserFunction([this](QWidget *, const FileRequest &request) {
            asked.append(request);
            return chosen;
        });
    }
    ~RecordingHooks()
    {
        SetMessageFunction({});
        SetOpenerFunction({});
        SetFileChooserFunction({});
    }
    RecordingHooks(const RecordingHooks &) = delete;
    RecordingHooks &operator=(const RecordingHooks &) = delete;
};
