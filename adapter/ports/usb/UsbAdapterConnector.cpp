#include "adapter/ports/usb/UsbAdapterConnector.h"

#include "adapter/ports/ch341a/Ch341aAdapter.h"
#include "adapter/ports/ft232h/Ft232hAdapter.h"
#include "adapter/ports/usb/UsbAdapterDirectory.h"

namespace pemrix {

UsbAdapterConnector::UsbAdapterConnector(UsbSetup setup) : m_setup(std::move(setup)) {}

std::shared_ptr<Adapter> UsbAdapterConnector::Connect(std::uint32_t address,
                                                      AdapterStatus& status)
{
    const std::optional<UsbAdapterPlug> plug =
        m_setup.usb ? FindUsbAdapter(*m_setup.usb, address) : std::nullopt;
    if (!plug) {
        status = AdapterStatus::UsbNotPluggedIn;
        return nullptr;
    }
    switch (plug->model->kind) {
    case UsbAdapterKind::Ch341a:
        return Ch341aAdapter::Connect(m_setup, *plug, status);
    case UsbAdapterKind::Ch341aUartMode:
        status = AdapterStatus::Ch341aUartMode;
        return nullptr;
    case UsbAdapterKind::Ft232h:
    case UsbAdapterKind::Ft2232hChannelA:
        return Ft232hAdapter::Connect(m_setup, *plug, status);
    }
    status = AdapterStatus::UsbNotPluggedIn;
    return nullptr;
}

} // namespace pemrix
