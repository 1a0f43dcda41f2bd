#include "adapter/BuiltInPortConnector.h"

#include "adapter/virtual/VirtualAdapterAddress.h"

namespace pemrix {

BuiltInPortConnector::BuiltInPortConnector(std::shared_ptr<VirtualAdapter> virtualAdapter,
                                           ParportDirectory directory, PpdevSetup ppdev)
    : m_virtualAdapter(std::move(virtualAdapter)), m_directory(std::move(directory)),
      m_ppdev(std::move(ppdev))
{
}

std::shared_ptr<Adapter> BuiltInPortConnector::Connect(std::uint32_t address, AdapterStatus& status)
{
    status = AdapterStatus::Ok;
    if (address == kVirtualAdapterBase)
        return m_virtualAdapter;
    const std::optional<std::filesystem::path> device = m_directory.DeviceFor(address);
    if (!device) {
        status = AdapterStatus::NoPort;
        return nullptr;
    }
    return std::make_shared<PpdevAdapter>(m_ppdev, *device);
}

} // namespace pemrix
