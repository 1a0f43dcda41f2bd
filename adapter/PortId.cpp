#include "adapter/PortId.h"

#include "adapter/virtual/VirtualAdapterAddress.h"

#include <string>

namespace pemrix {

namespace {

// The adapters' values fill 0x01000000 to 0x01FFFFFF: above every I/O base and apart from the
// virtual adapter's.
constexpr std::uint32_t kAdapterValueBase = 0x01000000;
constexpr std::uint32_t kAdapterKeyMask = 0x00FFFFFF;

} // namespace

PortId PortIdFromValue(std::uint32_t value)
{
    if (value == kVirtualAdapterBase)
        return kVirtualPortId;
    if ((value & ~kAdapterKeyMask) == kAdapterValueBase)
        return {PortId::Kind::Adapter, value & kAdapterKeyMask};
    return {PortId::Kind::ParallelPort, value};
}

std::uint32_t PortValue(const PortId& id)
{
    switch (id.kind) {
    case PortId::Kind::Virtual:
        return kVirtualAdapterBase;
    case PortId::Kind::Adapter:
        return kAdapterValueBase | (id.key & kAdapterKeyMask);
    case PortId::Kind::ParallelPort:
        break;
    }
    return id.key;
}

PortId AdapterPortId(std::string_view family, std::string_view place)
{
    // FNV-1a over "family:place", a pure function of where the adapter sits.
    const std::string text = std::string(family) + ':' + std::string(place);
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return {PortId::Kind::Adapter, hash & kAdapterKeyMask};
}

} // namespace pemrix
