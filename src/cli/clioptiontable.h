#pragma once
// dotrix-cli's option table: each option's name, the name of its value and its
// help lines, and what it sets. The parser reads the options from it and the
// help text is made from it, so the two cannot drift apart.

#include "cliargs.h"

#include <functional>
#include <string>
#include <vector>

// Applies an option's value to the options; returns what is wrong with it, or
// "".
using OptionSetter =
    std::function<std::string(CliOptions &, const std::string &)>;

struct OptionSpec {
  const char *Name;   // without the leading "--"
  std::string Value;  // the value's name in the help ("FILE", "h|v|zn"); empty:
                      // takes no value
  const char *Help;   // help lines, "\n" between them (DotrixCli context)
  OptionSetter Apply; // empty: a further help row of the option above
                      // (--export's formats)
  std::string Default = {}; // the default value, which Help names as %1: taken from
                       // the settings' own
};

// The options in the order the help shows them, under headings.
struct OptionSection {
  const char *Heading; // "Options:"; nullptr: no heading
  std::vector<OptionSpec> Options;
  const char *Note = nullptr; // a line after the options
};

const std::vector<OptionSection> &OptionSections();

// The option that applies --name, or nullptr.
const OptionSpec *FindOption(std::string_view name);
