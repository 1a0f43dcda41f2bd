#include "Clock.h"

namespace pemrix {

std::string FormatLocalTime(std::time_t time, const char* format)
{
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &time) != 0)
        return {};
#else
    if (localtime_r(&time, &local) == nullptr)
        return {};
#endif
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

std::string FormatTimeOfDay(std::time_t time)
{
    return FormatLocalTime(time, "%H:%M:%S");
}

} // namespace pemrix
