#pragma once
// dotrix-cli's delivery of font.dat: over the serial port, into a directory.

#include "cliargs.h"
#include "output/outputdirectory.h"

#include <ostream>

// Delivers the output directory's font.dat as the options ask: over the serial port, into a
// directory. Returns the exit status.
int RunDeliveryCommand(const CliOptions &options, OutputDirectory &output, std::ostream &out, std::ostream &err);
