#pragma once
// The export list: the characters of the character list by Unicode code point, as every font
// export takes them.

#include <string>
#include <string_view>
#include <vector>

// One character of the export list.
struct CodePointChar
{
    char32_t CodePoint = 0;
    std::string Character; // its code page 936 bytes (one or two)
};

struct CodePointList
{
    std::vector<CodePointChar> Characters; // ascending code point, each once
    std::vector<std::string> Unmapped;     // characters without a code point (code page 936 bytes),
                                           // in list order, each once
    int Repeats = 0;                       // characters left out because they came earlier
    int LineBreaks = 0;                    // CR and LF: they part the list's lines, they are no glyphs
};

// Maps every character of list (code page 936, walked as the batch walks it) to its Unicode code
// point through code page 936: 0x80 is U+20AC, a one-byte character maps through the code page
// too. Repeats, line breaks and characters without a code point are left out and counted.
CodePointList MapToCodePoints(std::string_view list);

// A character without a code point as messages show it: its bytes in hexadecimal ("0xFF",
// "0x81 0x20").
std::string UnmappedCharacterText(const std::string &character);
