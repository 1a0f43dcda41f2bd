#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "core/EepromTypeInfo.h"

#include <vector>

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
// Only 16-bit types are named; a width only 8-bit types have is UnknownAddressWidth.
ChipTypeDetection ProbeChipType(MicrowireBus& bus);

// The READ clocked one address bit at a time: the width of the chip's address field, or the
// status that keeps it from being known.
AdapterStatus MeasureAddressWidth(MicrowireBus& bus, unsigned& width);

// The types of an organisation whose address field is `width` bits wide, the smaller first:
// none, one, or a pair of which the smaller ignores the field's leading bit.
std::vector<MicrowireGeometry> TypesOfWidth(unsigned width, EepromOrganisation organisation);

// Of `types` (one, or a pair of one width), those the chip's answers fit: the one; or the
// larger of the pair, after the smaller where the upper half reads as the lower one.
AdapterStatus FittingTypes(MicrowireBus& bus, const std::vector<MicrowireGeometry>& types,
                           std::vector<MicrowireGeometry>& fitting);

} // namespace pemrix
