#pragma once

#include <cstdint>
#include <optional>

#include "driver/DriverResult.h"

namespace pemrix {

inline constexpr std::uint32_t kOpenFailedCode = 0x8000;
inline constexpr std::uint32_t kMismatchCode = 0x1000;

// The kinds of request a chip command sends; each names its failures by its own codes.
enum class DriverStep
{
    SetPort,
    WriteEnable,
    MainRequest,
    WriteDisable,
    Verification,
};

struct StepErrorCodes
{
    std::uint32_t callFailed;
    std::uint32_t wrongByteCount;
    // A non-zero status is reported shifted left by this many bits.
    unsigned statusShift;
};

StepErrorCodes ErrorCodesOf(DriverStep step);

// The one rule every reply passes: a FALSE call fails first, then a byte count other than
// `expectedBytes`, then a non-zero `status` (absent for the 4-byte requests).
DriverResult CheckReply(DriverStep step, bool callSucceeded, std::uint32_t bytesReturned,
                        std::uint32_t expectedBytes, std::optional<std::uint32_t> status);

} // namespace pemrix
