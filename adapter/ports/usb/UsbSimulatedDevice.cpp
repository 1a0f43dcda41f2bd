#include "adapter/ports/usb/UsbSimulatedDevice.h"

#include <vector>

namespace pemrix {

UsbSimulatedDevice::UsbSimulatedDevice(UsbDeviceEntry entry, const MicrowireGeometry& chip,
                                       VirtualBusClock& clock)
    : m_entry(std::move(entry)), m_geometry(chip), m_clock(clock),
      m_chip(std::make_unique<MicrowireChip>(chip, clock))
{
}

void UsbSimulatedDevice::Unplug()
{
    m_bPlugged = false;
    SocketPartOf(m_partClass);
}

void UsbSimulatedDevice::SocketPartOf(PartClass partClass)
{
    m_chip->Drive(false, false, false);
    m_earlierViolations = TimingViolations();
    const std::vector<std::uint16_t> words(m_chip->Words().begin(), m_chip->Words().end());
    m_partClass = partClass;
    m_chip = std::make_unique<MicrowireChip>(m_geometry, m_clock, partClass);
    m_chip->LoadWords(words);
}

std::vector<std::string> UsbSimulatedDevice::TimingViolations() const
{
    std::vector<std::string> violations = m_earlierViolations;
    violations.insert(violations.end(), m_chip->TimingViolations().begin(),
                      m_chip->TimingViolations().end());
    return violations;
}

int UsbSimulatedDevice::BeginOut(std::size_t bytes)
{
    if (!m_bPlugged)
        return kUsbErrorNoDevice;
    ++m_nOutNumber;
    if (m_faults.unplugAt && m_nOutNumber >= *m_faults.unplugAt) {
        Unplug();
        return kUsbErrorNoDevice;
    }
    if (m_faults.stallAt && m_nOutNumber >= *m_faults.stallAt)
        return kUsbErrorPipe;
    ++m_counters.outTransfers;
    m_counters.outBytes += bytes;
    return kUsbSuccess;
}

bool UsbSimulatedDevice::NextReplyShort()
{
    ++m_counters.inTransfers;
    ++m_nReplyNumber;
    return m_faults.shortReplyAt && m_nReplyNumber == *m_faults.shortReplyAt;
}

bool UsbSimulatedDevice::ReplyLost() const
{
    constexpr std::uint64_t kLostInARow = 3;
    return m_faults.timeoutsAt && m_nReplyNumber >= *m_faults.timeoutsAt &&
           m_nReplyNumber < *m_faults.timeoutsAt + kLostInARow;
}

void UsbSimulatedDevice::RoundTrips(std::uint64_t count)
{
    m_counters.roundTrips += count;
    m_clock.Wait(m_latency * static_cast<long long>(count));
}

} // namespace pemrix
