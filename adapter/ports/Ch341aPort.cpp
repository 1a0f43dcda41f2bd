#include "adapter/ports/Ch341aPort.h"

#include <algorithm>
#include <utility>

namespace pemrix {

using namespace ch341a;

namespace {

// Waits up to this long go into the stream; longer ones are cheaper slept on the host.
constexpr std::chrono::microseconds kLongestStreamWait(500);
constexpr std::chrono::milliseconds kTransferTimeout(1000);
// Ready polls a wait command apart: a cycle's end is seen within 30 us, 1 % of a 3 ms cycle,
// and one packet holds 14 polls.
constexpr std::chrono::microseconds kPollCadence(30);
constexpr unsigned kPollsPerPacket = 14;

} // namespace

Ch341aPort::Ch341aPort(UsbCalls& calls, UsbHandle handle, BusClock& clock,
                       const BusTiming& timing)
    : m_calls(calls), m_hDevice(handle), m_clock(clock), m_stream(timing),
      m_readyPolls(kPollsPerPacket)
{
}

std::vector<bool> Ch341aPort::Run(const BusTransaction& transaction)
{
    std::vector<bool> samples;
    for (const BusStep& step : transaction.steps) {
        if (step.kind == BusStep::Kind::Wait && step.duration > kLongestStreamWait) {
            Send(samples);
            m_clock.Wait(step.duration);
        } else if (step.kind == BusStep::Kind::PollUntilHigh) {
            const std::chrono::nanoseconds cadence = std::max<std::chrono::nanoseconds>(
                step.duration, kPollCadence);
            samples.push_back(m_readyPolls.Run(step, m_clock, [&](unsigned polls) {
                return PollRound(polls, cadence, samples);
            }));
        } else {
            m_stream.Append(step);
        }
    }
    if (m_stream.Samples() > 0)
        Send(samples);
    // After a failure every sample reads high, as from an empty socket.
    if (m_nError != 0)
        samples.assign(transaction.SampleCount(), true);
    return samples;
}

int Ch341aPort::TakeError()
{
    const int error = std::exchange(m_nError, 0);
    if (error != 0)
        m_stream.Append({BusStep::Kind::Deselect});
    return error;
}

void Ch341aPort::Flush()
{
    std::vector<bool> samples;
    Send(samples);
}

void Ch341aPort::Rest()
{
    m_stream.Rest();
    Flush();
}

std::vector<bool> Ch341aPort::PollRound(unsigned polls, std::chrono::nanoseconds cadence,
                                        std::vector<bool>& samples)
{
    const std::size_t first = samples.size() + m_stream.Samples();
    m_stream.Poll(polls, cadence);
    Send(samples);
    return TakeRoundSamples(samples, first, m_nError != 0);
}

void Ch341aPort::Send(std::vector<bool>& samples)
{
    if (m_stream.Empty())
        return;
    const std::vector<Ch341aStream::Packet>& packets = m_stream.Packets();
    std::vector<UsbBulkTransfer> transfers;
    std::vector<unsigned> expected;
    for (std::size_t first = 0; first < packets.size(); first += kPacketsPerTransfer) {
        const std::size_t end = std::min(packets.size(), first + kPacketsPerTransfer);
        UsbBulkTransfer out{kOutEndpoint, {}, 0};
        for (std::size_t i = first; i < end; ++i)
            out.data.insert(out.data.end(), packets[i].bytes.begin(), packets[i].bytes.end());
        transfers.push_back(std::move(out));
        // Each packet that samples answers with one IN packet of its own.
        for (std::size_t i = first; i < end; ++i) {
            if (packets[i].samples == 0)
                continue;
            transfers.push_back({kInEndpoint, std::vector<std::uint8_t>(kPacketSize), 0});
            expected.push_back(packets[i].samples);
        }
    }
    m_stream.Clear();
    if (m_nError != 0)
        return;
    const int error = m_calls.RunTransfers(m_hDevice, transfers, kTransferTimeout);
    if (error != 0) {
        m_nError = error;
        return;
    }
    std::size_t reply = 0;
    for (const UsbBulkTransfer& transfer : transfers) {
        if (transfer.endpoint != kInEndpoint)
            continue;
        if (transfer.actual != expected[reply++]) {
            m_nError = kUsbErrorIo;
            return;
        }
        for (std::size_t i = 0; i < transfer.actual; ++i)
            samples.push_back((transfer.data[i] & kDataOutPin) != 0);
    }
}

} // namespace pemrix
