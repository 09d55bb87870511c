#pragma once
// dotrix-cli's character list: read it, convert it, run the list operations, print it.

#include "charset/charlist.h"
#include "cliargs.h"

#include <ostream>
#include <string>

// Reads the list the options describe (a file or a character set), converts, de-duplicates,
// filters and sorts it as asked. Characters left out are reported on err. False, with the reason
// in error, when the list cannot be read or converted. inputs, when given, gets every file and
// folder the list was read from.
bool BuildCharacterList(const CliOptions &options, const QString &programDir, std::ostream &err, CharList &list,
                        std::string *error, QStringList *inputs = nullptr);

// The characters a batch run or Index.c works on (code page 936): the list the options describe,
// or else every character of TEXT. False after saying why on err. inputs, when given, gets every
// file and folder the list was read from.
bool ListForRun(const CliOptions &options, std::ostream &err, std::string &list, QStringList *inputs = nullptr);

// Prints the list the options describe on out (UTF-8, one line) and its count on err; reports
// characters left out on err. Returns false, with the reason in error, when the list cannot be
// read or converted; nothing is printed on out then.
bool PrintCharacterList(const CliOptions &options, const QString &programDir, std::ostream &out, std::ostream &err,
                        std::string *error);
