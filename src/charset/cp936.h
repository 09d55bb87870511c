#pragma once
// Code page 936 text: the character walk, last character, whole-character search, and the
// conversion to and from UTF-8. Everything in the core that looks at characters goes through here.
//
// A byte above 0x80 starts a two-byte character made of it and the next byte; a lead byte at the
// very end stands alone; any other byte is a one-byte character.

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// True when the byte starts a two-byte character (given a byte follows it).
inline bool IsLeadByte(unsigned char byte) { return byte > 0x80; }

// Length (1 or 2) of the character that starts at pos; 0 at or past the end.
size_t CharLengthAt(std::string_view text, size_t pos);

// The characters of text in order, each one or two bytes.
std::vector<std::string> SplitChars(std::string_view text);

// Number of characters in text.
size_t CountChars(std::string_view text);

// The last character of text (one or two bytes), or empty for empty text.
std::string LastCharOf(std::string_view text);

// As LastCharOf, but a last character that is a line feed or carriage return counts as none.
std::string LastCharOfLine(std::string_view text);

// Byte offset of the first whole character of text equal to ch, stepping character by character
// so a one-byte character never matches the second byte of a two-byte one; npos when absent.
size_t FindChar(std::string_view text, std::string_view ch, size_t from = 0);
inline bool ContainsChar(std::string_view text, std::string_view ch)
{
    return FindChar(text, ch) != std::string_view::npos;
}

// UTF-8 to code page 936. Characters without a code are left out; when skipped is given, each
// left-out character (as UTF-8) is appended to it in order.
std::string Utf8ToCp936(std::string_view utf8, std::vector<std::string> *skipped = nullptr);

// Code page 936 to UTF-8. A byte sequence with no Unicode character (a lone lead byte, an
// unassigned code) becomes U+FFFD.
std::string Cp936ToUtf8(std::string_view text);

// The same conversions character by character: one entry per character of the input, in order.
// Utf8ToCp936Chars gives an empty entry for a character without a code; Cp936ToUtf8Chars gives
// U+FFFD where Cp936ToUtf8 does.
std::vector<std::string> Utf8ToCp936Chars(std::string_view utf8);
std::vector<std::string> Cp936ToUtf8Chars(std::string_view text);

// The same conversions for Qt strings.
std::string QStringToCp936(const QString &text, std::vector<std::string> *skipped = nullptr);
QString Cp936ToQString(std::string_view text);
