// Byte strings in the system ANSI code page (GBK, code page 936, on the systems the
// program targets): double-byte aware searching and cutting, and the settings file's
// text-to-integer reading. Pure functions; no platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolvar {

// True for a GBK lead byte (0x81..0xFE); the byte after it is a trail byte, which may
// well be the byte of "\" (0x5C) or of another ASCII character.
constexpr bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// 0-based index of the last occurrence of the one-byte separator, stepping over
// double-byte characters whole; npos when there is none.
std::size_t lastSeparator(std::string_view text, char separator);

// The longest prefix of at most maxBytes bytes that does not end inside a double-byte
// character. A lone lead byte at the very end of the text counts as one character.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);

// Reads an integer the way the settings file is read: full-width ASCII forms (lead byte
// 0xA3) and the ideographic space (0xA1 0xA1) are first mapped to ASCII, then the text
// is read like atoi: white space, one sign, digits up to the first other character.
// Values beyond 32 bits saturate at INT32_MIN / INT32_MAX.
int32_t textToInt(std::string_view text);

// Decimal text without leading zeros ("%d").
std::string intToText(int64_t value);

}  // namespace tolvar
