#include "HexText.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace pemrix {

namespace {

unsigned HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool AllHexDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

std::string FormatHex4(std::uint32_t value)
{
    return FormatHexDigits(value, 4);
}

std::string FormatHexDigits(std::uint32_t value, unsigned digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", static_cast<int>(digits),
                  static_cast<unsigned>(value));
    return buffer;
}

std::uint32_t ParseHexPrefix(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    std::uint64_t value = 0;
    for (; i < text.size() && IsHexDigit(text[i]); ++i) {
        value = value * 16 + HexDigitValue(text[i]);
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> ParseHexField(std::string_view text)
{
    if (text.empty() || text.size() > 4 || !AllHexDigits(text))
        return std::nullopt;
    return ParseHexPrefix(text);
}

std::string ToUpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string ZeroPad(std::string_view text, std::size_t width)
{
    std::string padded(text);
    if (padded.size() < width)
        padded.insert(0, width - padded.size(), '0');
    return padded;
}

} // namespace pemrix
