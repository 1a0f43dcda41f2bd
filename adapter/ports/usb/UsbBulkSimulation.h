#pragma once

#include "adapter/ports/usb/UsbSimulatedDevice.h"

#include <deque>
#include <span>
#include <vector>

namespace pemrix {

// A simulated adapter that libusb reaches with bulk transfers: each OUT transfer's bytes go to
// the device's decoder, and each IN transfer takes the oldest reply it queued.
class UsbBulkSimulation : public UsbSimulatedDevice
{
public:
    using UsbSimulatedDevice::UsbSimulatedDevice;

    // Carries out the transfers in order; one round trip per window of transfers in flight.
    int RunTransfers(std::span<UsbBulkTransfer> transfers);
    // Bytes that were no command of the adapter: the port must never send one.
    std::uint64_t MalformedCommands() const { return m_nMalformed; }

protected:
    // Decodes one OUT transfer.
    virtual void Receive(std::span<const std::uint8_t> data) = 0;
    void QueueReply(std::vector<std::uint8_t> reply) { m_replies.push_back(std::move(reply)); }
    void NoteMalformed() { ++m_nMalformed; }

private:
    std::deque<std::vector<std::uint8_t>> m_replies;
    std::uint64_t m_nMalformed = 0;
};

} // namespace pemrix
