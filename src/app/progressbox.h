#pragma once
// Long work beside the window: a modal progress box (with Cancel where the work can stop) shows how far it has got while
// the window keeps answering.

#include <QString>

#include <functional>

class QWidget;

struct ProgressWork
{
    QString Label;                     // what the box says
    QString Name;                      // the box's objectName
    std::function<void()> Work;        // runs on a thread of its own
    std::function<int()> Percent;      // how far it has got, 0 to 100, read ten times a second;
                                       // empty: the box only shows that it is busy
    std::function<void()> Cancel;      // asks the work to stop; empty: no Cancel button
};

// Runs the work and returns when it has ended. The box is up from the start, so the window
// takes no other command meanwhile, and is gone for good on return, so that a message shown
// next is never covered.
void RunWithProgressBox(QWidget *parent, const ProgressWork &work);

// How many RunWithProgressBox calls have not returned yet: work beside the window that a caller
// must not pull the window away from.
int RunningProgressBoxes();
