#include "Clock.h"

namespace pemrix {

std::string FormatTimeOfDay(std::time_t time)
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
    const std::size_t length = std::strftime(buffer, sizeof buffer, "%H:%M:%S", &local);
    return std::string(buffer, length);
}

} // namespace pemrix
