#pragma once

#include "core/EepromTypeInfo.h"
#include "driver/DriverLink.h"
#include "driver/DriverResult.h"

#include <cstdint>
#include <string>
#include <vector>

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

// What the driver found of size and organisation; meaningful on success only.
struct OrganisationDetectResult : DriverResult
{
    // The type found, in its organisation.
    const EepromTypeInfo* type = nullptr;
    unsigned addressBits = 0;
    // Every type the chip's answers fit, `type` first; more than one where the contents
    // cannot tell them apart (an erased chip), 16-bit ones before 8-bit ones.
    std::vector<const EepromTypeInfo*> candidates;
};

// Like DetectChipType, with REQ_DETECT_ORGANISATION: size and organisation of the chip in the
// socket of `selected` in `organisation`. A driver without the request fails it
// (DriverLacksRequest).
OrganisationDetectResult DetectChipOrganisation(DriverLink& link, std::uint32_t portAddress,
                                                EepromType selected,
                                                EepromOrganisation organisation);

} // namespace pemrix
