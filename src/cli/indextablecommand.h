#pragma once
// dotrix-cli's index table: Index.c, the code bytes of the list.

#include "output/outputdirectory.h"

#include <ostream>
#include <string>

// Writes Index.c of list (code page 936); prints its path on out. Returns the exit status.
int RunIndexTableCommand(const std::string &list, OutputDirectory &output, std::ostream &out, std::ostream &err);
