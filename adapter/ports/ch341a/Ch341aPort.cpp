#include "adapter/ports/ch341a/Ch341aPort.h"

#include <algorithm>

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

Ch341aPort::Ch341aPort(UsbCalls& calls, UsbHandle handle, BusClock& clock, const BusTiming& timing)
    : BatchingUsbPort(clock, kPollsPerPacket),
      m_endpoints(calls, handle, kOutEndpoint, kInEndpoint, kPacketSize), m_stream(timing)
{
}

void Ch341aPort::Rest()
{
    m_stream.Rest();
    Flush();
}

bool Ch341aPort::BatchesWait(std::chrono::nanoseconds duration) const
{
    return duration <= kLongestStreamWait;
}

void Ch341aPort::Append(const BusStep& step)
{
    m_stream.Append(step);
}

void Ch341aPort::AppendPolls(unsigned polls, std::chrono::nanoseconds spacing)
{
    m_stream.Poll(polls, std::max<std::chrono::nanoseconds>(spacing, kPollCadence));
}

int Ch341aPort::Recover(int error)
{
    return m_endpoints.Recover(error);
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
    if (Error() != 0)
        return;
    const int error = m_endpoints.Run(transfers, kTransferTimeout);
    if (error != 0) {
        Note(error);
        return;
    }
    std::size_t reply = 0;
    for (const UsbBulkTransfer& transfer : transfers) {
        if (transfer.endpoint != kInEndpoint)
            continue;
        if (transfer.actual != expected[reply++]) {
            Note(kUsbErrorIo);
            return;
        }
        for (std::size_t i = 0; i < transfer.actual; ++i)
            samples.push_back((transfer.data[i] & kDataOutPin) != 0);
    }
}

} // namespace pemrix
