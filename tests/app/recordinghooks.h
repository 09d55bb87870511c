#pragma once
// Replaces the window's message boxes and editor launches with recorders for one test, and puts
// them back afterwards.

#include "app/messages.h"
#include "app/openineditor.h"

#include <QStringList>

struct RecordingHooks
{
    QStringList messages; // every message shown, in order
    QStringList opened;   // every file handed to the editor
    // What a question with OK and Cancel is answered.
    QMessageBox::StandardButton answer = QMessageBox::Ok;

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
    }
    ~RecordingHooks()
    {
        SetMessageFunction({});
        SetOpenerFunction({});
    }
    RecordingHooks(const RecordingHooks &) = delete;
    RecordingHooks &operator=(const RecordingHooks &) = delete;
};
