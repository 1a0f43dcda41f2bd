#pragma once

#include "core/EepromTypeInfo.h"
#include "driver/DriverLink.h"
#include "driver/DriverResult.h"

#include <cstdint>
#include <string>

namespace pemrix {

// What the driver found in the socket; meaningful on success only.
struct DetectCommandResult : DriverResult
{
    EepromType type = 0;
    unsigned addressBits = 0;
    // The larger type of a pair that reads alike when its two halves hold the same words,
    // else 0.
    EepromType alternative = 0;
};

// Opens the device, sends the port, asks the driver which chip type answers in the socket of
// `selected` (REQ_DETECT_TYPE, which only reads) and closes the device. A driver that does not
// know the request fails the call or answers no record, the main request's codes 0x0008 and
// 0x0004.
DetectCommandResult DetectChipType(DriverLink& link, std::uint32_t portAddress,
                                   EepromType selected);

// The log line of a detection: the type and the address bits, or the failure.
std::string DetectionLogText(const DetectCommandResult& result);

} // namespace pemrix
