#pragma once

#include "adapter/Adapter.h"
#include "adapter/AdapterStatus.h"
#include "adapter/PortId.h"

#include <cstdint>
#include <memory>

namespace pemrix {

// Turns the port a handle chose into a connected adapter.
class PortConnector
{
public:
    virtual ~PortConnector() = default;
    // The adapter at `port`, held until the caller lets go of it, or nullptr and the status
    // that says why there is none.
    virtual std::shared_ptr<Adapter> Connect(const PortId& port, AdapterStatus& status) = 0;
};

} // namespace pemrix
