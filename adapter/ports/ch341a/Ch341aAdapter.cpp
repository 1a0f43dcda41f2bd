#include "adapter/ports/ch341a/Ch341aAdapter.h"

#include "adapter/ports/usb/UsbErrorStatus.h"
#include "adapter/ports/usb/UsbInterfaceClaim.h"

namespace pemrix {

std::unique_ptr<Ch341aAdapter>
Ch341aAdapter::Connect(const UsbSetup& setup, const AdapterPlace& plug, AdapterStatus& status)
{
    UsbHandle handle = 0;
    const int error = ClaimUsbInterface(*setup.usb, plug.device, Ch341aPort::kInterface, handle);
    if (error != 0) {
        status = UsbErrorStatus(error);
        return nullptr;
    }
    auto adapter = std::make_unique<Ch341aAdapter>(setup, handle);
    status = UsbErrorStatus(adapter->m_port.Error());
    if (status != AdapterStatus::Ok)
        return nullptr;
    return adapter;
}

Ch341aAdapter::Ch341aAdapter(const UsbSetup& setup, UsbHandle handle)
    : m_setup(setup), m_hDevice(handle), m_port(*setup.usb, handle, *setup.clock, setup.timing),
      m_bus(m_port, *setup.clock, setup.timing)
{
    m_port.Rest();
}

Ch341aAdapter::~Ch341aAdapter()
{
    m_port.Rest();
    m_setup.usb->ReleaseInterface(m_hDevice, Ch341aPort::kInterface);
    m_setup.usb->Close(m_hDevice);
}

MicrowireBus& Ch341aAdapter::BusFor(const MicrowireGeometry&)
{
    return m_bus;
}

AdapterStatus Ch341aAdapter::FinishRequest()
{
    return m_port.FinishRequest();
}

} // namespace pemrix
