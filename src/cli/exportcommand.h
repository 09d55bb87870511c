#pragma once
// dotrix-cli's font export.

#include "cliargs.h"

#include <ostream>

// Exports the list the options describe (or TEXT) in the options' format to --out: characters
// without a code point named on err, a bar on err while it runs when err is a terminal, one
// summary line on out. Returns the exit status.
int RunExportCommand(const CliOptions &options, std::ostream &out, std::ostream &err);
