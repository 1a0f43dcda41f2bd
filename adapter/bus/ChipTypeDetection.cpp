#include "adapter/bus/ChipTypeDetection.h"

#include "adapter/bus/MicrowireBus.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/MicrowireInstruction.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace pemrix {

namespace {

// The start bit and READ's opcode, without an address field.
constexpr unsigned kReadHeadBits = 3;
// Two bits beyond the widest field, so a chip that falls late is still seen as unknown.
constexpr unsigned kMostAddressBits = 12;

// The types whose address field is `width` bits wide, the smaller first: one, or a pair of
// which the smaller ignores the field's leading bit.
std::vector<MicrowireGeometry> TypesOfWidth(unsigned width)
{
    std::vector<MicrowireGeometry> types;
    for (const EepromTypeInfo& type : EepromTypes()) {
        const MicrowireGeometry geometry = *FindMicrowireGeometry(type.code);
        if (geometry.addressBits == width)
            types.push_back(geometry);
    }
    std::sort(types.begin(), types.end(),
              [](const MicrowireGeometry& a, const MicrowireGeometry& b) { return a.words < b.words; });
    return types;
}

// DO before chip select rose, and the number of address bits after which it fell once the
// READ's start bit and opcode were in: 0 when it was low before any, nothing when it never fell.
struct AddressAnswer
{
    bool idleHigh = false;
    std::optional<unsigned> width;
};

AddressAnswer AddressWidth(MicrowireBus& bus)
{
    BusTransaction probe;
    probe.Sample()
        .Select()
        .ClockOut(InstructionFrame(MicrowireInstruction::Read, 0, 0), kReadHeadBits)
        .Sample();
    for (unsigned bit = 0; bit < kMostAddressBits; ++bit)
        probe.ClockOut(0, 1).Sample();
    probe.Deselect();
    const std::vector<bool> samples = bus.Run(probe);
    AddressAnswer answer{samples.front(), std::nullopt};
    for (unsigned bits = 0; bits + 1 < samples.size(); ++bits) {
        if (!samples[bits + 1]) {
            answer.width = bits;
            break;
        }
    }
    return answer;
}

// Whether every word of the upper half reads as its twin in the lower half.
AdapterStatus CompareHalves(MicrowireBus& bus, const MicrowireGeometry& chip, bool& mirrored)
{
    const std::uint32_t half = chip.words / 2;
    mirrored = true;
    for (std::uint32_t address = 0; address < half && mirrored; ++address) {
        std::uint16_t lower = 0;
        std::uint16_t upper = 0;
        AdapterStatus status = bus.Read(chip, address, lower);
        if (status == AdapterStatus::Ok)
            status = bus.Read(chip, address + half, upper);
        if (status != AdapterStatus::Ok)
            return status;
        mirrored = lower == upper;
    }
    return AdapterStatus::Ok;
}

} // namespace

ChipTypeDetection ProbeChipType(MicrowireBus& bus)
{
    ChipTypeDetection detection;
    AddressAnswer answer = AddressWidth(bus);
    // A chip still programming shows busy as DO low once selected and ignores the instruction:
    // it is given the whole-chip timeout to finish, then asked again.
    if (answer.idleHigh && answer.width == 0u) {
        if (bus.AwaitIdle() != AdapterStatus::Ok) {
            detection.status = AdapterStatus::ChipBusy;
            return detection;
        }
        answer = AddressWidth(bus);
    }
    const std::optional<unsigned> width = answer.width;
    if (!answer.idleHigh || width == 0u) {
        detection.status = AdapterStatus::DoNotIdleHigh;
        return detection;
    }
    if (!width) {
        detection.status = AdapterStatus::NoChip;
        return detection;
    }
    detection.addressBits = *width;
    const std::vector<MicrowireGeometry> types = TypesOfWidth(*width);
    if (types.empty()) {
        detection.status = AdapterStatus::UnknownAddressWidth;
        return detection;
    }
    detection.type = types.front().code;
    if (types.size() == 1)
        return detection;
    bool mirrored = false;
    detection.status = CompareHalves(bus, types.back(), mirrored);
    if (detection.status != AdapterStatus::Ok)
        detection.type = 0;
    else if (mirrored)
        detection.alternative = types.back().code;
    else
        detection.type = types.back().code;
    return detection;
}

} // namespace pemrix
