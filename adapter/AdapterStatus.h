#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace pemrix {

// The built-in driver's status values, as it puts them in a record's status field. The
// program shows a main request's status as it is and a verification's shifted left by four, so
// 4 and 8 are left out: they would read like the program's own codes 0x0004/0x0008 and
// 0x0040/0x0080; so is 16, whose shifted 0x0100 is the program's write-disable failure.
enum class AdapterStatus : std::uint32_t
{
    Ok = 0,
    NoPort = 1,
    PortHeld = 2,
    AdapterNotDetected = 3,
    NoChip = 5,
    ChipBusy = 6,
    BadType = 7,
    AddressBeyondChip = 9,
    VirtualChipNotSaved = 10,
    PpdevNotLoaded = 11,
    PortNotPermitted = 12,
    DataOutLow = 13,
    Stopped = 14,
    // USB adapters; 16 is left out like 4 and 8, since 16 x 16 reads as the program's 0x0100.
    UsbNotPluggedIn = 15,
    UsbNotPermitted = 17,
    UsbClaimed = 18,
    UsbTransferFailed = 19,
    Ch341aUartMode = 20,
    DoNotIdleHigh = 21,
    UnknownAddressWidth = 22,
    TypeLargerThanChip = 23,
    // GPIO lines through libgpiod.
    GpioChipMissing = 24,
    GpioNotPermitted = 25,
    GpioLineBusy = 26,
    GpioLineMissing = 27,
    // An adapter whose slowest clock is faster than the part class allows.
    AdapterTooFastForParts = 28,
};

// One row of the table the help page shows.
struct AdapterStatusInfo
{
    AdapterStatus status;
    std::string_view name;
    std::string_view meaning;
    std::string_view remedy;
};

// Every failure status in code order (Ok is not a row).
std::span<const AdapterStatusInfo> AdapterStatuses();

// The row of a status value, or nullptr for Ok and for values the driver never reports.
const AdapterStatusInfo* FindAdapterStatus(std::uint32_t code);

constexpr std::uint32_t StatusCode(AdapterStatus status)
{
    return static_cast<std::uint32_t>(status);
}

} // namespace pemrix
