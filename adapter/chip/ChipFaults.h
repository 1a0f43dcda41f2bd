#pragma once

#include <cstdint>

namespace pemrix {

// Faults a simulated chip can be given, so tests reach every way a real one fails.
struct ChipFaults
{
    // Nothing in the socket: DO floats high and nothing is ever stored.
    bool absent = false;
    // A programming cycle that never ends: DO stays low.
    bool neverReady = false;
    // Bits that read as stuckLevels whatever was programmed.
    std::uint16_t stuckMask = 0;
    std::uint16_t stuckLevels = 0;
    // Bits that read inverted on every second READ of the same word.
    std::uint16_t unstableMask = 0;
};

} // namespace pemrix
