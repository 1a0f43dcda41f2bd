#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/bus/MicrowireGeometry.h"

#include <optional>

namespace pemrix {

// Whatever sits at a port address once a driver handle has connected to it: a parallel port
// with a cable, or the virtual adapter.
class Adapter
{
public:
    virtual ~Adapter() = default;
    // The bus to the chip of this type; hardware has one socket for every type.
    virtual MicrowireBus& BusFor(const MicrowireGeometry& chip) = 0;
    // Called after every request that used a bus: reports what failed around the bus (port
    // access, storage), which outranks what the bus itself saw.
    virtual AdapterStatus FinishRequest() = 0;
    // The chip whose bus sent an EWEN that no EWDS has followed; asks nothing of the port.
    virtual std::optional<MicrowireGeometry> WriteEnabledChip() const = 0;
};

} // namespace pemrix
