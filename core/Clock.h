#pragma once

#include <ctime>
#include <string>

namespace pemrix {

// Where the operation log takes its time of day from, so tests can fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual std::time_t Now() const = 0;
};

// Local time in a strftime format; empty when it cannot be converted or formatted.
std::string FormatLocalTime(std::time_t time, const char* format);

// Local time of day as "%H:%M:%S"; empty when it cannot be converted or formatted.
std::string FormatTimeOfDay(std::time_t time);

} // namespace pemrix
