#include "adapter/ports/ch347/Ch347Port.h"

#include "adapter/ports/ch347/Ch347Protocol.h"

#include <algorithm>

namespace pemrix {

using namespace ch347;

namespace {

// Waits up to this long are clocked away on the adapter; longer ones are slept on the host.
constexpr std::chrono::microseconds kLongestClockedWait(500);
constexpr std::chrono::milliseconds kTransferTimeout(1000);
// An answer still on its way after a failed batch has had that transfer's timeout already.
constexpr std::chrono::milliseconds kLateAnswerTimeout(5);
// Ready polls in the first round before a cycle is learnt, and in every later one.
constexpr unsigned kPollsPerRound = 16;

} // namespace

Ch347Port::Ch347Port(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing,
                     std::chrono::nanoseconds clockPeriod)
    : BatchingUsbPort(clock, kPollsPerRound), m_calls(calls), m_hDevice(handle),
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
    // A halted endpoint stays halted until the host clears it.
    if (error == kUsbErrorPipe) {
        m_calls.ClearHalt(m_hDevice, kOutEndpoint);
        m_calls.ClearHalt(m_hDevice, kInEndpoint);
    }
    // Answers to frames the adapter took before the failure would otherwise be read as those
    // of the next batch: the EWDS that follows must be judged by its own.
    if (error != kUsbErrorNoDevice) {
        for (; m_nMissingAnswers > 0; --m_nMissingAnswers) {
            UsbBulkTransfer late{kInEndpoint, std::vector<std::uint8_t>(kPacketSize), 0};
            m_calls.RunTransfers(m_hDevice, std::span(&late, 1), kLateAnswerTimeout);
        }
    }
    m_nMissingAnswers = 0;
    return error;
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
    const int error = m_calls.RunTransfers(m_hDevice, transfers, kTransferTimeout);
    if (error != 0) {
        m_exchanges.Clear();
        m_nMissingAnswers = static_cast<std::size_t>(
            std::count_if(transfers.begin(), transfers.end(), [](const UsbBulkTransfer& t) {
                return t.endpoint == kInEndpoint && t.actual == 0;
            }));
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
