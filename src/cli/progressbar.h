#pragma once
// dotrix-cli's one way of running a long command (a batch, a font export, a serial send): the
// work on a thread of its own, its progress as a bar on stderr, and Ctrl-C asking it to stop.

#include "base/job.h"

#include <functional>
#include <ostream>

// Draws "[####....] done/total" over the current line.
void DrawBar(std::ostream &err, qint64 done, qint64 total);

// Runs work on a thread of its own and, when err is a terminal, shows control's progress on a bar
// until the work ends; then ends the bar's line. While it runs, the first Ctrl-C (SIGINT) cancels
// control, so the work stops at its next step and returns as it returns when stopped; a second
// Ctrl-C ends the program at once. True when Ctrl-C stopped the work.
bool RunWithProgressBar(JobControl &control, std::ostream &err, const std::function<void()> &work);
