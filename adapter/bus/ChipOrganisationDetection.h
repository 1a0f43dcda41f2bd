#pragma once

#include "adapter/AdapterStatus.h"
#include "core/EepromTypeInfo.h"

#include <vector>

namespace pemrix {

class MicrowireBus;

// Size and organisation of the chip in the socket, as its answers tell them.
struct ChipOrganisationDetection
{
    AdapterStatus status = AdapterStatus::Ok;
    unsigned addressBits = 0;
    // The type found, nullptr unless the status is Ok.
    const EepromTypeInfo* type = nullptr;
    // Every type the chip's answers fit, the one found first; more than one where the contents
    // cannot tell them apart.
    std::vector<const EepromTypeInfo*> candidates;
};

// Tells size and organisation with READ instructions only. The address width names the
// organisation but where both have types of that width: 7 bits (an 8-bit 93C46 or a 16-bit
// 93C57) and 8 bits (an 8-bit 93C57, or a 16-bit 93C56 or 93C66). There the chip is read as
// 16-bit words: on an 8-bit chip each such READ gives the byte at its address and, read on,
// the next byte, so the low byte of every word is the high byte of the next. Where that holds
// throughout and the bytes are not all alike, the chip is 8-bit; where it fails, 16-bit, unless
// every low byte is one an 8-bit chip without sequential read shows after its byte (00, FF or
// the byte again); then, as where the bytes are all alike, both are named, 16-bit first.
// Pairs of one width and organisation are told apart as ProbeChipType does.
ChipOrganisationDetection ProbeChipOrganisation(MicrowireBus& bus);

} // namespace pemrix
