#pragma once
// dotrix-cli's batch run and index table.

#include "cliargs.h"
#include "output/outputdirectory.h"

#include <ostream>
#include <string>

// Runs the batch over list (code page 936) with the options' settings: every glyph's files and
// All.c, font.dat with --data, its copy with --save. A bar on err while it runs when err is a
// terminal, and one summary line on out at the end. Returns the exit status.
int RunBatchCommand(const CliOptions &options, const std::string &list, OutputDirectory &output, std::ostream &out,
                    std::ostream &err);

// Writes Index.c of the list; prints its path on out. Returns the exit status.
int RunIndexTableCommand(const std::string &list, OutputDirectory &output, std::ostream &out, std::ostream &err);

// Delivers the output directory's font.dat as the options ask: over the serial port, into a
// directory. Returns the exit status.
int RunDeliveryCommand(const CliOptions &options, OutputDirectory &output, std::ostream &out, std::ostream &err);
