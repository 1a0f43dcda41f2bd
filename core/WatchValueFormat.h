#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// The watch list's number formats, named by one upper-case letter: H, D, B or O.

// Whether the text is exactly one of the four codes.
bool IsWatchFormatCode(std::string_view code);

// The value in the code's base, no leading zeros, upper-case letters; nothing for a text
// that names no format.
std::optional<std::string> FormatWatchValue(std::uint32_t value, std::string_view code);

// Reads a text in the code's base like the standard unsigned parsers: leading white space
// skipped, digits taken while valid, 0 when there is none.
std::optional<std::uint32_t> ParseWatchValue(std::string_view text, std::string_view code);

} // namespace pemrix
