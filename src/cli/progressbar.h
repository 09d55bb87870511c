#pragma once
// dotrix-cli's progress bar on stderr for the long commands (batch runs, font exports, serial
// sends).

#include "encode/batchrun.h"

#include <functional>
#include <ostream>

// Draws "[####....] done/total" over the current line.
void DrawBar(std::ostream &err, int done, int total);

// Runs work on a thread of its own and, when err is a terminal, shows control.Progress of total
// on a bar until the work ends; then ends the bar's line.
void RunWithProgressBar(const BatchControl &control, int total, std::ostream &err, const std::function<void()> &work);
