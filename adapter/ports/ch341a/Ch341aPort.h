#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/usb/BatchingUsbPort.h"
#include "adapter/ports/usb/BulkEndpoints.h"
#include "adapter/ports/ch341a/Ch341aStream.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <vector>

namespace pemrix {

// The Microwire lines of a claimed CH341A, bit-banged through its UIO stream. The packets of
// one batch go out in a few large OUT transfers with every reply's IN transfer in flight
// beside them.
class Ch341aPort : public BatchingUsbPort
{
public:
    static constexpr int kInterface = 0;
    static constexpr std::uint8_t kOutEndpoint = 0x02;
    static constexpr std::uint8_t kInEndpoint = 0x82;
    // Packets per OUT transfer.
    static constexpr std::size_t kPacketsPerTransfer = 16;

    Ch341aPort(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing);

    // All lines low as outputs, sent at once.
    void Rest();

private:
    bool BatchesWait(std::chrono::nanoseconds duration) const override;
    void Append(const BusStep& step) override;
    void AppendPolls(unsigned polls, std::chrono::nanoseconds spacing) override;
    std::size_t KeptSamples() const override { return m_stream.Samples(); }
    void Send(std::vector<bool>& samples) override;
    int Recover(int error) override;

    BulkEndpoints m_endpoints;
    Ch341aStream m_stream;
};

} // namespace pemrix
