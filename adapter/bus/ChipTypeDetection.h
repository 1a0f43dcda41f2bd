#pragma once

#include "adapter/AdapterStatus.h"
#include "core/EepromTypeInfo.h"

namespace pemrix {

class MicrowireBus;

// What the chip in the socket told about itself.
struct ChipTypeDetection
{
    AdapterStatus status = AdapterStatus::Ok;
    // The address bits the chip took before it drove its dummy 0.
    unsigned addressBits = 0;
    EepromType type = 0;
    // The larger type of a pair the chip's answer cannot tell apart (its upper half mirrors the
    // lower one, as an erased chip's does), else 0.
    EepromType alternative = 0;
};

// Tells the chip's type from its own answer, with READ instructions only, so nothing on the
// chip can change: a READ is clocked with no address bits and then one 0 bit at a time until DO
// falls at the dummy bit, which gives the width of the chip's address field (6 for 93C46, 7
// for 93C57, 8 for 93C56 and 93C66, 10 for 93C76 and 93C86). The pairs differ in whether the
// upper half of the address range mirrors the lower half: the smaller chip ignores the field's
// leading bit. DO low while the chip is deselected or before the address (DoNotIdleHigh), DO
// never falling (NoChip), a chip still busy programming after the whole-chip timeout
// (ChipBusy) and a width no type has (UnknownAddressWidth) are reported, never guessed at.
ChipTypeDetection ProbeChipType(MicrowireBus& bus);

} // namespace pemrix
