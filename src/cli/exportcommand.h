#pragma once
// dotrix-cli's font export.

#include "cliargs.h"

#include <ostream>
#include <string>

// Exports list (code page 936) in the options' format to --out: characters without a code point
// named on err, a bar on err while it runs when err is a terminal, one summary line on out.
// Returns the exit status.
int RunExportCommand(const CliOptions &options, const std::string &list, std::ostream &out, std::ostream &err);
