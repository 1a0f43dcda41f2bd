#include "adapter/BuiltInPortConnector.h"

#include "adapter/ports/AdapterRegistry.h"

namespace pemrix {

BuiltInPortConnector::BuiltInPortConnector(std::shared_ptr<VirtualAdapter> virtualAdapter,
                                           ParportDirectory directory, PpdevSetup ppdev,
                                           UsbSetup usb, AdapterSetups setups)
    : m_world{std::move(virtualAdapter), std::move(directory), std::move(ppdev), std::move(usb),
              std::move(setups)}
{
}

std::shared_ptr<Adapter> BuiltInPortConnector::Connect(const PortId& port, AdapterStatus& status)
{
    return ConnectPort(m_world, port, status);
}

} // namespace pemrix
