#pragma once

#include "adapter/ports/ppdev/ParportDirectory.h"
#include "adapter/PortConnector.h"
#include "adapter/ports/ppdev/PpdevAdapter.h"
#include "adapter/ports/usb/UsbAdapterConnector.h"
#include "adapter/virtual/VirtualAdapter.h"

#include <memory>

namespace pemrix {

// The virtual adapter at kVirtualAdapterBase, the USB adapters at their pseudo addresses, and
// every other address the parallel port whose kernel entry has that base.
class BuiltInPortConnector : public PortConnector
{
public:
    BuiltInPortConnector(std::shared_ptr<VirtualAdapter> virtualAdapter, ParportDirectory directory,
                         PpdevSetup ppdev, UsbSetup usb = {});

    std::shared_ptr<Adapter> Connect(std::uint32_t address, AdapterStatus& status) override;

private:
    std::shared_ptr<VirtualAdapter> m_virtualAdapter;
    ParportDirectory m_directory;
    PpdevSetup m_ppdev;
    UsbAdapterConnector m_usb;
};

} // namespace pemrix
