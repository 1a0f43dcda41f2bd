#pragma once

#include <cstdint>
#include <string_view>

namespace pemrix {

// Which port a driver handle works on. The program stores and sends a port as one 32-bit
// "PARALLEL PORT" value; PortIdFromValue and PortValue are the only places that know how, so a
// value stored by an earlier version still names the same port.
struct PortId
{
    enum class Kind
    {
        // A parallel port at its I/O base; also any custom port typed in Options.
        ParallelPort,
        // The virtual adapter with its simulated chips.
        Virtual,
        // An adapter of the registry, at a place key made from its family and where it sits.
        Adapter,
    };

    Kind kind = Kind::ParallelPort;
    // The I/O base of a parallel port, the place key of an adapter.
    std::uint32_t key = 0;

    bool operator==(const PortId&) const = default;
};

PortId PortIdFromValue(std::uint32_t value);
std::uint32_t PortValue(const PortId& id);

// The id of the adapter of that family at that place (its USB bus and port path, its
// gpiochip): the same at every start, so nothing needs storing to find it again.
PortId AdapterPortId(std::string_view family, std::string_view place);

inline constexpr PortId kVirtualPortId{PortId::Kind::Virtual, 0};

} // namespace pemrix
