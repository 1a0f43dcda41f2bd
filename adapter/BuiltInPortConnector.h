#pragma once

#include "adapter/PortConnector.h"
#include "adapter/ports/AdapterWorld.h"

#include <memory>

namespace pemrix {

// Connects a port through the adapter registry: the virtual adapter, the adapters found at
// their place keys, and every other port the parallel port whose kernel entry has that base.
class BuiltInPortConnector : public PortConnector
{
public:
    BuiltInPortConnector(std::shared_ptr<VirtualAdapter> virtualAdapter, ParportDirectory directory,
                         PpdevSetup ppdev, UsbSetup usb = {}, AdapterSetups setups = {});

    std::shared_ptr<Adapter> Connect(const PortId& port, AdapterStatus& status) override;

private:
    AdapterWorld m_world;
};

} // namespace pemrix
