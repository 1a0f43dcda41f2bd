#pragma once

#include "core/EepromTypeInfo.h"
#include "driver/DriverLink.h"
#include "driver/DriverResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pemrix {

// What Detect chip type found, whichever question the driver could answer; `type` and
// `candidates` are meaningful on success only, `logText` always.
struct DetectedChip : DriverResult
{
    const EepromTypeInfo* type = nullptr;
    unsigned addressBits = 0;
    // Every type the chip's answers fit, `type` first.
    std::vector<const EepromTypeInfo*> candidates;
    std::string logText;
};

// Size and organisation of the chip in the socket of `selected` (REQ_DETECT_ORGANISATION);
// a driver without that request is asked for the 16-bit size alone (REQ_DETECT_TYPE), as
// before. Both only read.
DetectedChip DetectChip(DriverLink& link, std::uint32_t portAddress,
                        const EepromTypeInfo& selected);

} // namespace pemrix
