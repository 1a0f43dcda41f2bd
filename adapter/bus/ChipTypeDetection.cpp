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
// Beyond the widest field (11 bits, an 8-bit 93C76's or 93C86's), so a chip that falls late
// is still seen as unknown.
constexpr unsigned kMostAddressBits = 12;

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

} // namespace

std::vector<MicrowireGeometry> TypesOfWidth(unsigned width, EepromOrganisation organisation)
{
    std::vector<MicrowireGeometry> types;
    for (const EepromTypeInfo& type : EepromTypes(organisation)) {
        const MicrowireGeometry geometry = *FindMicrowireGeometry(type.code, organisation);
        if (geometry.addressBits == width)
            types.push_back(geometry);
    }
    std::sort(
        types.begin(), types.end(),
        [](const MicrowireGeometry& a, const MicrowireGeometry& b) { return a.words < b.words; });
    return types;
}

AdapterStatus FittingTypes(MicrowireBus& bus, const std::vector<MicrowireGeometry>& types,
                           std::vector<MicrowireGeometry>& fitting)
{
    fitting.clear();
    if (types.size() == 1) {
        fitting = types;
        return AdapterStatus::Ok;
    }
    // The smaller of a pair ignores the field's leading bit, so its upper half mirrors the
    // lower one; the larger's does only where its contents happen to.
    const MicrowireGeometry& larger = types.back();
    const std::uint32_t half = larger.words / 2;
    bool mirrored = true;
    for (std::uint32_t address = 0; address < half && mirrored; ++address) {
        std::uint16_t lower = 0;
        std::uint16_t upper = 0;
        AdapterStatus status = bus.Read(larger, address, lower);
        if (status == AdapterStatus::Ok)
            status = bus.Read(larger, address + half, upper);
        if (status != AdapterStatus::Ok)
            return status;
        mirrored = lower == upper;
    }
    if (mirrored)
        fitting.push_back(types.front());
    fitting.push_back(larger);
    return AdapterStatus::Ok;
}

AdapterStatus MeasureAddressWidth(MicrowireBus& bus, unsigned& width)
{
    AddressAnswer answer = AddressWidth(bus);
    // A chip still programming shows busy as DO low once selected and ignores the instruction:
    // it is given the whole-chip timeout to finish, then asked again.
    if (answer.idleHigh && answer.width == 0u) {
        if (bus.AwaitIdle() != AdapterStatus::Ok)
            return AdapterStatus::ChipBusy;
        answer = AddressWidth(bus);
    }
    if (!answer.idleHigh || answer.width == 0u)
        return AdapterStatus::DoNotIdleHigh;
    if (!answer.width)
        return AdapterStatus::NoChip;
    width = *answer.width;
    return AdapterStatus::Ok;
}

ChipTypeDetection ProbeChipType(MicrowireBus& bus)
{
    ChipTypeDetection detection;
    detection.status = MeasureAddressWidth(bus, detection.addressBits);
    if (detection.status != AdapterStatus::Ok)
        return detection;
    const std::vector<MicrowireGeometry> types =
        TypesOfWidth(detection.addressBits, EepromOrganisation::Words16);
    if (types.empty()) {
        detection.status = AdapterStatus::UnknownAddressWidth;
        return detection;
    }
    std::vector<MicrowireGeometry> fitting;
    detection.status = FittingTypes(bus, types, fitting);
    if (detection.status != AdapterStatus::Ok)
        return detection;
    detection.type = fitting.front().code;
    if (fitting.size() > 1)
        detection.alternative = fitting.back().code;
    return detection;
}

} // namespace pemrix
