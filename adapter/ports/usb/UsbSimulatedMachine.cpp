#include "adapter/ports/usb/UsbSimulatedMachine.h"

#include <algorithm>

namespace pemrix {

namespace {

bool SamePlace(const UsbDeviceEntry& a, const UsbDeviceEntry& b)
{
    return a.bus == b.bus && a.address == b.address;
}

// One libftdi context: it opens the channel simulation at the bus and address it is given,
// and answers as libftdi 1.5 does, codes of each call's own, -1 for a failed bulk transfer.
class SimulatedFtdiContext : public FtdiCalls
{
public:
    explicit SimulatedFtdiContext(std::vector<SimulatedFtdiChannel>& channels)
        : m_channels(channels)
    {
    }

    // ftdi_usb_open_bus_addr: -3 device not found, -4 unable to open device, -5 unable to
    // claim device.
    int Open(const UsbDeviceEntry& device, int channel) override
    {
        for (const SimulatedFtdiChannel& plugged : m_channels) {
            Ft232hSimulation* candidate = plugged.device.get();
            if (!candidate->Plugged() || !SamePlace(candidate->Entry(), device) ||
                plugged.channel != channel)
                continue;
            if (candidate->Faults().openError != 0)
                return -4;
            if (candidate->Claimed() || candidate->Faults().claimError != 0)
                return -5;
            candidate->SetClaimed(true);
            m_device = candidate;
            return 0;
        }
        return -3;
    }
    // ftdi_set_latency_timer: -2 unable to set latency timer, -3 USB device unavailable.
    int SetLatencyTimer(std::uint8_t) override { return Opened() ? (Live() ? 0 : -2) : -3; }
    // ftdi_set_bitmode: -1 can't enable bitbang mode, -2 USB device unavailable.
    int SetBitMode(std::uint8_t outputs, std::uint8_t mode) override
    {
        if (!Opened())
            return -2;
        return m_device->SetBitMode(outputs, mode) < 0 ? -1 : 0;
    }
    // ftdi_tcioflush: -1 write buffer purge failed, -3 USB device unavailable.
    int PurgeBuffers() override
    {
        if (!Opened())
            return -3;
        return m_device->PurgeBuffers() < 0 ? -1 : 0;
    }
    // Made with libusb directly.
    int ClearHalt() override
    {
        if (!Live())
            return kUsbErrorNoDevice;
        m_device->ClearHalt();
        return kUsbSuccess;
    }
    // ftdi_write_data: -666 USB device unavailable, -1 usb bulk write failed.
    int Write(std::span<const std::uint8_t> bytes) override
    {
        if (!Opened())
            return -666;
        const int written = m_device->Write(bytes);
        return written < 0 ? -1 : written;
    }
    // ftdi_read_data: -666 USB device unavailable, else libusb_bulk_transfer's error.
    int Read(std::span<std::uint8_t> bytes) override
    {
        return Opened() ? m_device->Read(bytes) : -666;
    }
    // ftdi_transfer_data_done: -1 for a transfer that did not complete.
    int Exchange(std::span<const std::uint8_t> out, std::span<std::uint8_t> in) override
    {
        if (!Opened())
            return -1;
        const int got = m_device->Exchange(out, in);
        return got < 0 ? -1 : got;
    }
    void Close() override
    {
        if (m_device != nullptr)
            m_device->SetClaimed(false);
        m_device = nullptr;
    }
    ~SimulatedFtdiContext() override { Close(); }

private:
    bool Opened() const { return m_device != nullptr; }
    bool Live() const { return Opened() && m_device->Plugged(); }

    std::vector<SimulatedFtdiChannel>& m_channels;
    Ft232hSimulation* m_device = nullptr;
};

} // namespace

UsbSimulatedMachine::UsbSimulatedMachine(VirtualBusClock& clock) : m_clock(clock) {}

Ch341aSimulation& UsbSimulatedMachine::PlugCh341a(UsbDeviceEntry entry,
                                                  const MicrowireGeometry& chip)
{
    auto device = std::make_unique<Ch341aSimulation>(std::move(entry), chip, m_clock);
    Ch341aSimulation& plugged = *device;
    m_bulk.push_back(std::move(device));
    return plugged;
}

Ch347Simulation& UsbSimulatedMachine::PlugCh347(UsbDeviceEntry entry, const MicrowireGeometry& chip)
{
    auto device = std::make_unique<Ch347Simulation>(std::move(entry), chip, m_clock);
    Ch347Simulation& plugged = *device;
    m_bulk.push_back(std::move(device));
    return plugged;
}

Ft232hSimulation& UsbSimulatedMachine::PlugFt232h(UsbDeviceEntry entry,
                                                  const MicrowireGeometry& chip, int channel)
{
    return *m_ft232h
                .emplace_back(SimulatedFtdiChannel{
                    std::make_unique<Ft232hSimulation>(std::move(entry), chip, m_clock), channel})
                .device;
}

void UsbSimulatedMachine::PlugOther(UsbDeviceEntry entry)
{
    m_others.push_back(std::move(entry));
}

std::function<std::unique_ptr<FtdiCalls>()> UsbSimulatedMachine::FtdiFactory()
{
    return [this] { return std::make_unique<SimulatedFtdiContext>(m_ft232h); };
}

std::vector<UsbDeviceEntry> UsbSimulatedMachine::Devices()
{
    std::vector<UsbDeviceEntry> entries = m_others;
    for (const auto& device : m_bulk) {
        if (device->Plugged())
            entries.push_back(device->Entry());
    }
    for (const SimulatedFtdiChannel& plugged : m_ft232h) {
        const UsbDeviceEntry& entry = plugged.device->Entry();
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const auto& other) { return SamePlace(other, entry); });
        if (plugged.device->Plugged() && !listed)
            entries.push_back(entry);
    }
    return entries;
}

int UsbSimulatedMachine::Open(const UsbDeviceEntry& device, UsbHandle& handle)
{
    UsbSimulatedDevice* found = Find(device);
    if (found == nullptr)
        return kUsbErrorNoDevice;
    if (found->Faults().openError != 0)
        return found->Faults().openError;
    handle = reinterpret_cast<UsbHandle>(found);
    ++m_nOpenHandles;
    return kUsbSuccess;
}

int UsbSimulatedMachine::DetachKernelDriver(UsbHandle handle, int)
{
    UsbBulkSimulation* device = Bulk(handle);
    if (device == nullptr)
        return kUsbErrorNoDevice;
    if (!device->Faults().kernelDriverBound)
        return kUsbSuccess;
    if (device->Faults().detachError != 0)
        return device->Faults().detachError;
    device->Faults().kernelDriverBound = false;
    return kUsbSuccess;
}

int UsbSimulatedMachine::ClaimInterface(UsbHandle handle, int)
{
    UsbBulkSimulation* device = Bulk(handle);
    if (device == nullptr)
        return kUsbErrorNoDevice;
    // A kernel driver still bound, or another program's claim, keeps the interface busy.
    if (device->Claimed() || device->Faults().kernelDriverBound)
        return kUsbErrorBusy;
    if (device->Faults().claimError != 0)
        return device->Faults().claimError;
    device->SetClaimed(true);
    return kUsbSuccess;
}

void UsbSimulatedMachine::ReleaseInterface(UsbHandle handle, int)
{
    if (UsbBulkSimulation* device = Bulk(handle))
        device->SetClaimed(false);
}

int UsbSimulatedMachine::RunTransfers(UsbHandle handle, std::span<UsbBulkTransfer> transfers,
                                      std::chrono::milliseconds)
{
    UsbBulkSimulation* device = Bulk(handle);
    if (device == nullptr || !device->Plugged())
        return kUsbErrorNoDevice;
    if (!device->Claimed())
        return kUsbErrorIo;
    return device->RunTransfers(transfers);
}

int UsbSimulatedMachine::ClearHalt(UsbHandle handle, std::uint8_t)
{
    UsbBulkSimulation* device = Bulk(handle);
    if (device == nullptr || !device->Plugged())
        return kUsbErrorNoDevice;
    device->ClearHalt();
    return kUsbSuccess;
}

void UsbSimulatedMachine::Close(UsbHandle)
{
    --m_nOpenHandles;
}

UsbSimulatedDevice* UsbSimulatedMachine::Find(const UsbDeviceEntry& entry)
{
    for (const auto& device : m_bulk) {
        if (device->Plugged() && SamePlace(device->Entry(), entry))
            return device.get();
    }
    return nullptr;
}

UsbBulkSimulation* UsbSimulatedMachine::Bulk(UsbHandle handle)
{
    for (const auto& device : m_bulk) {
        if (reinterpret_cast<UsbHandle>(device.get()) == handle)
            return device.get();
    }
    return nullptr;
}

} // namespace pemrix
