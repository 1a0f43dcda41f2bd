#pragma once

#include <cstdint>

namespace pemrix {

// The outcome of a driver step or of a whole chip command. A failure is known by `succeeded`
// alone: its error code may be any value, even 0 when a shifted status wraps around.
struct DriverResult
{
    bool succeeded = true;
    std::uint32_t errorCode = 0;

    static DriverResult Success() { return {}; }
    static DriverResult Failure(std::uint32_t code) { return {false, code}; }
};

} // namespace pemrix
