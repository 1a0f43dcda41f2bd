#include "adapter/ports/ch347/Ch347Port.h"

#include "adapter/ports/ch347/Ch347Protocol.h"

namespace pemrix {

using namespace ch347;

namespace {

// Waits up to this long are clocked away on the adapter; longer ones are slept on the host.
constexpr std::chrono::microseconds kLongestClockedWait(500);
constexpr std::chrono::milliseconds kTransferTimeout(1000);
// Ready polls in the first round before a cycle is learnt, and in every later one.
constexpr unsigned kPollsPerRound = 16;

} // namespace

Ch347Port::Ch347Port(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing,
                     std::chrono::nanoseconds clockPeriod)
    : BatchingUsbPort(clock, kPollsPerRound),
      m_endpoints(calls, handle, kOutEndpoint, kInEndpoint, kPacketSize),
      m_exchanges(timing, clockPeriod)
{
}

void Ch347Port::Rest()
{
    m_exchanges.Rest();
    Flush();
}

bool Ch347Port::BatchesWait(std::chrono::nanoseconds duration) const
{
    return duration <= kLongestClockedWait;
}

int Ch347Port::Recover(int error)
{
    return m_endpoints.Recover(error);
}

void Ch347Port::Send(std::vector<bool>& samples)
{
    const std::vector<std::vector<std::uint8_t>> frames = m_exchanges.TakeFrames();
    if (frames.empty())
        return;
    if (Error() != 0) {
        m_exchanges.Clear();
        return;
    }
    std::vector<UsbBulkTransfer> transfers;
    for (const std::vector<std::uint8_t>& frame : frames)
        transfers.push_back({kOutEndpoint, frame, 0});
    for (const std::size_t bytes : m_exchanges.Answers())
        transfers.push_back({kInEndpoint, std::vector<std::uint8_t>(kHeaderSize + bytes), 0});
    const int error = m_endpoints.Run(transfers, kTransferTimeout);
    if (error != 0) {
        m_exchanges.Clear();
        Note(error);
        return;
    }
    std::vector<std::uint8_t> answered;
    for (const UsbBulkTransfer& transfer : transfers) {
        if (transfer.endpoint != kInEndpoint)
            continue;
        const std::size_t bytes = transfer.data.size() - kHeaderSize;
        if (transfer.actual != transfer.data.size() || transfer.data[0] != kWriteRead ||
            (transfer.data[1] | transfer.data[2] << 8) != static_cast<int>(bytes)) {
            m_exchanges.Clear();
            Note(kUsbErrorIo);
            return;
        }
        answered.insert(answered.end(), transfer.data.begin() + kHeaderSize, transfer.data.end());
    }
    m_exchanges.Resolve(answered, samples);
}

} // namespace pemrix
