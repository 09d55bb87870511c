#pragma once
// dotrix-cli's picture: a BMP, JPEG or GIF file into dots, written as NAME.c.

#include "cliargs.h"

#include <ostream>

// Prints the written file's path on out (the dots first with --dots). Returns the exit status.
int RunPictureCommand(const CliOptions &options, std::ostream &out, std::ostream &err);
