#pragma once
// GetPinyin: the toneless pinyin reading of a code page 936 character, from a built-in table.

#include <string>
#include <string_view>

// Reading of one code page 936 character (one or two bytes) as a lowercase ASCII syllable
// without tone (ü written v); empty for characters without a reading, for one-byte characters,
// for anything not exactly one character, and always empty when numberedNames is set.
std::string GetPinyin(std::string_view character, bool numberedNames);
