#pragma once

#include "adapter/bus/LinePort.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace pemrix {

// One adapter pin on the parallel port: a register bit and whether the cable inverts it.
struct CablePin
{
    std::uint8_t bit;
    bool inverted;
};

// A data register bit wired back to a status register bit, proving the cable is plugged in.
struct CableLoopback
{
    std::uint8_t dataBit;
    std::uint8_t statusBit;
};

// How a cable wires the Microwire lines to the port: CS, SK and DI on data register bits, DO
// on a status register bit. Status bit numbers are the register's (3 nERROR ... 7 BUSY).
struct CableProfile
{
    std::string_view name;
    CablePin chipSelect;
    CablePin clock;
    CablePin dataIn;
    CablePin dataOut;
    // The other data register bits while the port is held, such as buffer enables.
    std::uint8_t restingData;
    std::span<const CableLoopback> loopbacks;

    const CablePin& PinFor(DriveLine line) const;
};

inline constexpr std::uint8_t kStatusPaperOutBit = 5;
inline constexpr std::uint8_t kStatusAckBit = 6;
inline constexpr std::uint8_t kStatusBusyBit = 7;

// Every cable the driver knows, the default first.
std::span<const CableProfile> CableProfiles();

// The cable of a settings name ("stk200", "dt006"), or nullptr.
const CableProfile* FindCableProfile(std::string_view name);

} // namespace pemrix
