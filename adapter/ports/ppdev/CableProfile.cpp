#include "adapter/ports/ppdev/CableProfile.h"

#include <array>

namespace pemrix {

namespace {

// D0 to PAPEROUT (pin 2 to 12) and D1 to BUSY (pin 3 to 11).
constexpr std::array<CableLoopback, 2> kStk200Loopbacks{{
    {0, kStatusPaperOutBit},
    {1, kStatusBusyBit},
}};

constexpr std::array<CableProfile, 2> kCables{{
    // CS on D7 (pin 9), SK on D4 (pin 6), DI on D5 (pin 7), DO on nACK (pin 10); D2 and D3
    // stay low because they enable the cable's buffer.
    {"stk200", {7, false}, {4, false}, {5, false}, {kStatusAckBit, false}, 0x00, kStk200Loopbacks},
    // Direct wiring without a buffer or loopbacks: DI on D0, CS on D2, SK on D3, DO on BUSY.
    {"dt006", {2, false}, {3, false}, {0, false}, {kStatusBusyBit, false}, 0x00, {}},
}};

} // namespace

const CablePin& CableProfile::PinFor(DriveLine line) const
{
    switch (line) {
    case DriveLine::ChipSelect:
        return chipSelect;
    case DriveLine::Clock:
        return clock;
    case DriveLine::DataIn:
        break;
    }
    return dataIn;
}

std::span<const CableProfile> CableProfiles()
{
    return kCables;
}

const CableProfile* FindCableProfile(std::string_view name)
{
    for (const CableProfile& cable : kCables) {
        if (cable.name == name)
            return &cable;
    }
    return nullptr;
}

} // namespace pemrix
