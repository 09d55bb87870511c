#pragma once
// Simplified/Traditional Chinese conversion of code page 936 text through OpenCC.
//
// Each two-byte character is converted (whole runs of them at once, so OpenCC sees words); a
// converted character that has no code in code page 936 keeps its original, and one-byte
// characters pass through. The result has the same characters in number and order.

#include "base/failure.h"
#include <QString>

#include <string>
#include <string_view>

struct ScriptConversion
{
    std::string Text; // the converted text; the text as given when Error is set
    Failure Error;    // none on success
};

// Through OpenCC's s2t.json: 汉 -> 漢.
ScriptConversion ToTraditional(std::string_view text);

// Through OpenCC's t2s.json: 漢 -> 汉.
ScriptConversion ToSimplified(std::string_view text);

// Through the named OpenCC configuration (a file name in OpenCC's data directory, or a path).
// Each configuration is loaded once, on first use, and kept; a configuration that cannot be loaded
// is reported in Error every time it is asked for. Safe to call from any thread.
ScriptConversion ConvertScript(std::string_view text, const std::string &openccConfig);
