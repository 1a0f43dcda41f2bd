#pragma once

#include "adapter/ports/ch341a/Ch341aSimulation.h"
#include "adapter/ports/ch347/Ch347Simulation.h"
#include "adapter/ports/ft232h/FtdiCalls.h"
#include "adapter/ports/ft232h/Ft232hSimulation.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <functional>
#include <memory>
#include <vector>

namespace pemrix {

struct SimulatedFtdiChannel
{
    std::unique_ptr<Ft232hSimulation> device;
    int channel = 0;
};

// A machine's USB buses with simulated adapters plugged in, answering the libusb calls and,
// through FtdiFactory, the libftdi ones, all on one virtual clock.
class UsbSimulatedMachine : public UsbCalls
{
public:
    explicit UsbSimulatedMachine(VirtualBusClock& clock);

    Ch341aSimulation& PlugCh341a(UsbDeviceEntry entry, const MicrowireGeometry& chip);
    Ch347Simulation& PlugCh347(UsbDeviceEntry entry, const MicrowireGeometry& chip);
    // An FTDI chip's MPSSE channel (0 for A, 1 for B) with a chip wired to it; the channels of
    // one chip share its entry, which libusb lists once.
    Ft232hSimulation& PlugFt232h(UsbDeviceEntry entry, const MicrowireGeometry& chip,
                                 int channel = 0);
    // A device that is listed but answers nothing (a CH341A in UART mode, a mouse).
    void PlugOther(UsbDeviceEntry entry);

    // A libftdi context that reaches this machine's FT232H simulations.
    std::function<std::unique_ptr<FtdiCalls>()> FtdiFactory();

    std::vector<UsbDeviceEntry> Devices() override;
    int Open(const UsbDeviceEntry& device, UsbHandle& handle) override;
    int DetachKernelDriver(UsbHandle handle, int interfaceNumber) override;
    int ClaimInterface(UsbHandle handle, int interfaceNumber) override;
    void ReleaseInterface(UsbHandle handle, int interfaceNumber) override;
    int RunTransfers(UsbHandle handle, std::span<UsbBulkTransfer> transfers,
                     std::chrono::milliseconds timeout) override;
    int ClearHalt(UsbHandle handle, std::uint8_t endpoint) override;
    void Close(UsbHandle handle) override;

    // Handles opened and not yet closed: a connection that leaks one is caught.
    std::size_t OpenHandles() const { return m_nOpenHandles; }

private:
    UsbSimulatedDevice* Find(const UsbDeviceEntry& entry);
    UsbBulkSimulation* Bulk(UsbHandle handle);

    VirtualBusClock& m_clock;
    // The adapters reached by libusb's bulk transfers (CH341A, CH347).
    std::vector<std::unique_ptr<UsbBulkSimulation>> m_bulk;
    std::vector<SimulatedFtdiChannel> m_ft232h;
    std::vector<UsbDeviceEntry> m_others;
    std::size_t m_nOpenHandles = 0;
};

} // namespace pemrix
