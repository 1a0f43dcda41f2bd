#include "adapter/ports/ft232h/Ft232hAdapter.h"

#include "adapter/ports/usb/UsbErrorStatus.h"

namespace pemrix {

AdapterStatus FtdiOpenStatus(int code)
{
    switch (code) {
    case 0:
        return AdapterStatus::Ok;
    case -3:
        return AdapterStatus::UsbNotPluggedIn;
    case -4:
        return AdapterStatus::UsbNotPermitted;
    case -5:
        return AdapterStatus::UsbClaimed;
    default:
        return AdapterStatus::UsbTransferFailed;
    }
}

std::unique_ptr<Ft232hAdapter>
Ft232hAdapter::Connect(const UsbSetup& setup, const AdapterPlace& plug, AdapterStatus& status)
{
    std::unique_ptr<FtdiCalls> calls = setup.makeFtdi();
    // libftdi detaches the kernel's ftdi_sio driver from the channel as it opens it.
    const int error = calls->Open(plug.device, plug.model->channel);
    if (error != 0) {
        status = FtdiOpenStatus(error);
        return nullptr;
    }
    auto adapter = std::make_unique<Ft232hAdapter>(setup, std::move(calls));
    status = UsbErrorStatus(adapter->m_port.Error());
    if (status != AdapterStatus::Ok)
        return nullptr;
    return adapter;
}

Ft232hAdapter::Ft232hAdapter(const UsbSetup& setup, std::unique_ptr<FtdiCalls> calls)
    : m_calls(std::move(calls)), m_port(*m_calls, *setup.clock, setup.timing),
      m_bus(m_port, *setup.clock, setup.timing)
{
    m_port.Start();
}

Ft232hAdapter::~Ft232hAdapter()
{
    m_port.Rest();
    m_calls->SetBitMode(0, kFtdiBitModeReset);
    m_calls->Close();
}

MicrowireBus& Ft232hAdapter::BusFor(const MicrowireGeometry&)
{
    return m_bus;
}

AdapterStatus Ft232hAdapter::FinishRequest()
{
    return m_port.FinishRequest();
}

} // namespace pemrix
