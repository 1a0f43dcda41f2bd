#pragma once

#include "adapter/Adapter.h"
#include "adapter/AdapterStatus.h"

#include <cstdint>
#include <memory>

namespace pemrix {

// Turns the port address a handle chose into a connected adapter.
class PortConnector
{
public:
    virtual ~PortConnector() = default;
    // The adapter at `address`, held until the caller lets go of it, or nullptr and the
    // status that says why there is none.
    virtual std::shared_ptr<Adapter> Connect(std::uint32_t address, AdapterStatus& status) = 0;
};

} // namespace pemrix
