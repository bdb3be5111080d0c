#pragma once

#include <string>
#include <string_view>

namespace util {

// printf-style formatting into a std::string ("%04d" and friends).
std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));

// ASCII-only case mapping; bytes >= 0x80 pass through unchanged.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b);
bool StartsWithIgnoreCaseAscii(std::string_view text, std::string_view prefix);

// Decimal parse in the manner of atoi: leading blanks, an optional sign, then digits; stops at
// the first other character ("12abc" is 12, "" is 0). Saturates instead of overflowing.
long ParseDecimal(std::string_view text);

// Leading and trailing blanks, tabs, CR and LF removed.
std::string_view TrimWhite(std::string_view text);

} // namespace util
