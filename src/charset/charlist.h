#pragma once
// Operations on the character list (a code page 936 byte string) behind the list pane's buttons
// and dotrix-cli's list options. Each returns the new list and the count the pane shows for it.
//
// Readings for the filter and the sort are looked up whatever the naming mode: numbered names
// change what arrays are called, not which characters have a reading.

#include <string>
#include <string_view>

struct CharList
{
    std::string Text; // the characters, code page 936
    int Count = 0;    // what the pane's count box shows
};

// Keeps the first occurrence of every character, in order, and drops every CR and LF. Count is
// the number of characters kept.
CharList RemoveDuplicates(std::string_view list);

// Keeps the two-byte characters that have a pinyin reading, first occurrences only, in order;
// drops every one-byte character (letters, digits, spaces, line breaks, 0x80) and every two-byte
// character without a reading (full-width punctuation, symbols, letters). Count is the number kept.
CharList FilterSingleByte(std::string_view list);

// One-byte characters in ascending byte order.
std::string SortSingleBytes(std::string_view singleBytes);

// Two-byte characters ordered by reading (byte-wise; no reading sorts first). Characters that
// share a reading come out in the order the pane's sort has always left them, a bubble sort that
// swaps equal neighbours too: X, Y, Z with one reading give Z, Y, X; X, Y, Z, W with X, Y, W
// sharing a reading and Z's reading greater give W, X, Y, Z. O(n log n).
std::string SortByPinyin(std::string_view twoBytes);

// The pane's sort: the one-byte characters sorted by byte, then the two-byte characters sorted by
// reading. A lone lead byte at the very end stays at the very end. Count is left as given.
CharList SortList(std::string_view list, int count);

// Appends ch (one whole character) to the list when the list does not hold it yet, adding 1 to
// the count; otherwise, or when ch is not exactly one character, the list and count stay as they
// are.
CharList AddTypedCharacter(std::string_view list, int count, std::string_view ch);
