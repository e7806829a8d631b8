// Text rules of the tool. A text is a byte string in the ANSI code page
// (GBK): a byte of 0x80 or above begins a two-byte character whose second
// byte may look like ASCII (0x5C is "\"), so searches only look where a
// character begins.
#pragma once
#include <cstdint>
#include <string>

namespace orvex {

// Byte position of the last `separator` that stands where a character
// begins, or std::string::npos.
size_t FindLastSeparator(const std::string& text, char separator);

// The part of a path after its last "\" (the whole path when it has none).
std::string DisplayName(const std::string& path);

// The integer value of a text: full-width forms count as ASCII, leading white
// space is skipped, one sign is taken, digits are read up to the first other
// character; no digits give 0 and a value beyond 32 bits wraps modulo 2^32.
int32_t TextToInt(const std::string& text);

// Cuts trailing ASCII spaces and ideographic spaces (0xA1 0xA1).
std::string CutTrailingSpaces(const std::string& text);

// ASCII capitals lowered; bytes of two-byte characters stay as they are.
std::string LowerAscii(const std::string& text);

// The last three bytes of a text, ASCII-lowered (the whole text when it is
// shorter): the kind of a file as the tool decides it.
std::string KindOf(const std::string& path);

// Decimal form of a number, no leading zeros.
std::string Decimal(long long value);

} // namespace orvex
