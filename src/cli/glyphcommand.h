#pragma once
// dotrix-cli's single glyph: TEXT's last character drawn and written as its source file, or with
// --preview printed as the preview pane shows it.

#include "cliargs.h"

#include <ostream>

// Prints the source file's path (or the preview's lines) on out. Returns the exit status.
int RunGlyphCommand(const CliOptions &options, std::ostream &out, std::ostream &err);
