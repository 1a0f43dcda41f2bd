#include "adapter/BuiltInPortConnector.h"

#include "adapter/ports/UsbAdapterDirectory.h"
#include "adapter/virtual/VirtualAdapterAddress.h"

namespace pemrix {

BuiltInPortConnector::BuiltInPortConnector(std::shared_ptr<VirtualAdapter> virtualAdapter,
                                           ParportDirectory directory, PpdevSetup ppdev,
                                           UsbSetup usb)
    : m_virtualAdapter(std::move(virtualAdapter)), m_directory(std::move(directory)),
      m_ppdev(std::move(ppdev)), m_usb(std::move(usb))
{
}

std::shared_ptr<Adapter> BuiltInPortConnector::Connect(std::uint32_t address, AdapterStatus& status)
{
    status = AdapterStatus::Ok;
    if (address == kVirtualAdapterBase)
        return m_virtualAdapter;
    if (IsUsbAdapterAddress(address))
        return m_usb.Connect(address, status);
    const std::optional<std::filesystem::path> device = m_directory.DeviceFor(address);
    if (!device) {
        status = AdapterStatus::NoPort;
        return nullptr;
    }
    return std::make_shared<PpdevAdapter>(m_ppdev, *device, m_directory.EntryFor(*device));
}

} // namespace pemrix
