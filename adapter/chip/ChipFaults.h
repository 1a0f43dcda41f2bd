#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace pemrix {

// Faults a simulated chip can be given, so tests reach every way a real one fails.
struct ChipFaults
{
    // Nothing in the socket: DO is never driven and nothing is ever stored.
    bool absent = false;
    // Undriven DO reads low rather than high: a cable without a pull-up on DO, or a buffer
    // input left open. With `absent`, an empty socket whose DO floats low.
    bool noPullUp = false;
    // DO held at this level whatever the chip does (a shorted or broken line).
    std::optional<bool> dataOutStuckAt = std::nullopt;
    // A programming cycle that never ends: DO stays low.
    bool neverReady = false;
    // Every programming cycle takes this long instead of the type's own (a slow part).
    std::chrono::nanoseconds cycle{0};
    // Bits that read as stuckLevels whatever was programmed.
    std::uint16_t stuckMask = 0;
    std::uint16_t stuckLevels = 0;
    // Bits that read inverted on every second READ of the same word.
    std::uint16_t unstableMask = 0;
};

} // namespace pemrix
