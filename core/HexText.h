#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

bool IsHexDigit(char c);
bool AllHexDigits(std::string_view text);

// Upper-case hexadecimal with at least four digits, as "%04X" gives it.
std::string FormatHex4(std::uint32_t value);
// The same with at least `digits` digits: two for an 8-bit cell.
std::string FormatHexDigits(std::uint32_t value, unsigned digits);

// Reads leading hexadecimal digits after optional white space and stops at the first
// other character; no digit gives 0. Values beyond 32 bits saturate.
std::uint32_t ParseHexPrefix(std::string_view text);

// The rule of every typed operand: 1 to 4 hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexField(std::string_view text);

std::string ToUpperAscii(std::string_view text);

// Prefixes '0' characters until the text is at least `width` long.
std::string ZeroPad(std::string_view text, std::size_t width);

} // namespace pemrix
