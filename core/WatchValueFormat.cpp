#include "WatchValueFormat.h"

#include <array>
#include <limits>

namespace pemrix {

namespace {

struct WatchFormat
{
    std::string_view code;
    unsigned base;
};

constexpr std::array<WatchFormat, 4> kFormats{{
    {"H", 16},
    {"D", 10},
    {"B", 2},
    {"O", 8},
}};

const WatchFormat* FindFormat(std::string_view code)
{
    for (const WatchFormat& format : kFormats) {
        if (format.code == code)
            return &format;
    }
    return nullptr;
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool IsWatchFormatCode(std::string_view code)
{
    return FindFormat(code) != nullptr;
}

std::optional<std::string> FormatWatchValue(std::uint32_t value, std::string_view code)
{
    const WatchFormat* format = FindFormat(code);
    if (!format)
        return std::nullopt;
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value % format->base]);
        value /= format->base;
    } while (value != 0);
    return text;
}

std::optional<std::uint32_t> ParseWatchValue(std::string_view text, std::string_view code)
{
    const WatchFormat* format = FindFormat(code);
    if (!format)
        return std::nullopt;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || static_cast<unsigned>(digit) >= format->base)
            break;
        value = value * format->base + static_cast<unsigned>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(value);
}

} // namespace pemrix
