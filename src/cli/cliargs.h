#pragma once
// dotrix-cli's command line: options that each set one generation setting, plus what to do.

#include "raster/glyphsettings.h"

#include <QString>

#include <string>
#include <vector>

struct CliOptions
{
    GlyphSettings Settings;   // generation settings with the options applied
    std::string Text;         // TEXT as given, UTF-8
    bool Preview = false;     // print the preview text instead of writing the glyph's file
    bool Dots = false;        // print the glyph as rows of '#' (ink) and '.' (clear)
    bool Help = false;
    bool Version = false;
    QString WorkDir;          // output directory; empty means the current directory
};

struct CliParseResult
{
    bool Ok = false;
    CliOptions Options;
    std::string Error; // what is wrong and where, UTF-8, without the program name
};

// Parses the arguments after the program name. Each option may be given as "--name value" or
// "--name=value"; "--" ends the options.
CliParseResult ParseCliArgs(const std::vector<std::string> &args);

// The --help text.
std::string CliUsage();
