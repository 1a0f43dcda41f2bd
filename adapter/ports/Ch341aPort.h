#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/ports/Ch341aStream.h"
#include "adapter/ports/ReadyPollRounds.h"
#include "adapter/ports/UsbCalls.h"

#include <vector>

namespace pemrix {

// The Microwire lines of a claimed CH341A, bit-banged through its UIO stream. A transaction
// that answers no sample (write enable, an instruction before its ready polling) is kept and
// goes out with the next one that does, so most instructions cost no round trip of their own;
// the packets of one batch go out in a few large OUT transfers with every reply's IN transfer
// in flight beside them.
class Ch341aPort : public TransactionPort
{
public:
    static constexpr int kInterface = 0;
    static constexpr std::uint8_t kOutEndpoint = 0x02;
    static constexpr std::uint8_t kInEndpoint = 0x82;
    // Packets per OUT transfer.
    static constexpr std::size_t kPacketsPerTransfer = 16;

    Ch341aPort(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing);

    std::vector<bool> Run(const BusTransaction& transaction) override;

    // Sends whatever is kept; the adapter calls it after every request.
    void Flush();
    // All lines low as outputs, sent at once.
    void Rest();
    // The libusb error of the first failed transfer, or 0.
    int Error() const { return m_nError; }
    // The same, and the port carries transactions again, from a deselected chip: a request's
    // failure is reported once, and what follows it (the EWDS that write-protects the chip)
    // gets its chance without running into an instruction the failure cut short.
    int TakeError();

private:
    void Send(std::vector<bool>& samples);
    // One round of ready polls, sent with whatever is kept; their samples, taken out of
    // `samples` again.
    std::vector<bool> PollRound(unsigned polls, std::chrono::nanoseconds cadence,
                                std::vector<bool>& samples);

    UsbCalls& m_calls;
    UsbHandle m_hDevice;
    BusClock& m_clock;
    Ch341aStream m_stream;
    ReadyPollRounds m_readyPolls;
    int m_nError = 0;
};

} // namespace pemrix
