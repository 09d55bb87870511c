#pragma once
// dotrix-cli's batch run: every character of the list into its files, All.c and font.dat.

#include "cliargs.h"
#include "output/outputdirectory.h"

#include <ostream>
#include <string>

// Runs the batch over list (code page 936) with the options' settings: every glyph's files and
// All.c, font.dat with --data, its copy with --save. A bar on err while it runs when err is a
// terminal, and one summary line on out at the end. Returns the exit status.
int RunBatchCommand(const CliOptions &options, const std::string &list, OutputDirectory &output, std::ostream &out,
                    std::ostream &err);
