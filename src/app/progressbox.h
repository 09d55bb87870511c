#pragma once
// Long work beside the window: the work runs on a thread of its own under the modal progress box
// (CProgressDlg) while the window keeps answering.

#include "cprogressdlg.h"

#include <functional>

// Runs work and returns when it has ended. control is the job's: the work reports through it and
// the box reads it (its own total, a busy bar while that is 0). The box is up from the start, so
// the window takes no other command meanwhile, and is gone for good on return, so that a message
// shown next is never covered.
void RunJob(QWidget *parent, JobControl &control, const ProgressLook &look, const std::function<void()> &work);

// How many RunJob calls have not returned yet: work beside the window that a caller must not pull
// the window away from.
int RunningJobs();
