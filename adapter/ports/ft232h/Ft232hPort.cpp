#include "adapter/ports/ft232h/Ft232hPort.h"

#include <algorithm>

namespace pemrix {

using namespace mpsse;

namespace {

// The latency timer sends a short reply after this long; 1 ms is its shortest useful value.
constexpr std::uint8_t kLatencyMilliseconds = 1;
constexpr std::chrono::microseconds kReadRetry(100);
constexpr std::chrono::milliseconds kReplyTimeout(1000);
// Waits up to this long run on the engine where they may; longer ones are slept on the host.
constexpr std::chrono::microseconds kLongestEngineWait(500);
// Ready polls a byte of clocks apart, one command: 32 us at the slowest parts' clock, 1 % of a
// 3 ms cycle. A short round of 8 polls spans 256 us, about two high-speed round trips.
constexpr unsigned kPollCadenceClocks = 8;
constexpr unsigned kPollsPerShortRound = 8;

} // namespace

Ft232hPort::Ft232hPort(FtdiCalls& calls, BusClock& clock, const BusTiming& timing)
    : BatchingUsbPort(clock, kPollsPerShortRound), m_calls(calls), m_commands(timing)
{
}

void Ft232hPort::Start()
{
    Note(m_calls.SetLatencyTimer(kLatencyMilliseconds));
    if (Error() == 0)
        Note(m_calls.SetBitMode(0, kFtdiBitModeReset));
    if (Error() == 0)
        Note(m_calls.SetBitMode(kOutputPins, kFtdiBitModeMpsse));
    if (Error() == 0)
        Note(m_calls.PurgeBuffers());
    if (Error() != 0)
        return;
    // An unknown opcode must come back as 0xFA and itself: proof that the engine listens and
    // that no stale bytes sit in the reply queue.
    const std::uint8_t sync[] = {kSyncCommand, kSendImmediate};
    const int written = m_calls.Write(sync);
    Note(written < 0 ? written : (written == sizeof sync ? 0 : kUsbErrorIo));
    std::vector<std::uint8_t> reply(2);
    if (Error() == 0 && ReadReply(reply) &&
        (reply[0] != kBadCommandReply || reply[1] != kSyncCommand))
        Note(kUsbErrorIo);
    m_commands.Setup();
    Flush();
}

void Ft232hPort::Rest()
{
    m_commands.Append({BusStep::Kind::Deselect});
    Flush();
}

bool Ft232hPort::BatchesWait(std::chrono::nanoseconds duration) const
{
    return duration <= kLongestEngineWait && m_commands.ClockThroughWait();
}

void Ft232hPort::Append(const BusStep& step)
{
    m_commands.Append(step);
}

void Ft232hPort::AppendPolls(unsigned polls, std::chrono::nanoseconds spacing)
{
    m_commands.Poll(polls, std::max(kPollCadenceClocks, m_commands.ClocksFor(spacing)));
}

int Ft232hPort::Recover(int)
{
    // libftdi answers -1 for every failed bulk transfer, whatever libusb saw, and codes of
    // each call's own for the rest; a stall cannot be told apart, so every failure is handled
    // as one. Clearing the halt asks libusb about the device too: gone, it was unplugged.
    const int cleared = m_calls.ClearHalt();
    m_calls.PurgeBuffers();
    return cleared == kUsbErrorNoDevice ? kUsbErrorNoDevice : kUsbErrorIo;
}

void Ft232hPort::Send(std::vector<bool>& samples)
{
    if (m_commands.Empty() || Error() != 0) {
        m_commands.Clear();
        return;
    }
    std::vector<std::uint8_t> bytes = m_commands.Bytes();
    const std::size_t replyBytes = m_commands.ReplyBytes();
    // Without it the engine keeps short replies until its buffer or the latency timer fills.
    if (replyBytes > 0)
        bytes.push_back(kSendImmediate);
    std::vector<std::uint8_t> reply(replyBytes);
    if (replyBytes == 0) {
        const int written = m_calls.Write(bytes);
        Note(written < 0 ? written : (written == static_cast<int>(bytes.size()) ? 0 : kUsbErrorIo));
    } else {
        const int got = m_calls.Exchange(bytes, reply);
        Note(got);
        if (Error() == 0 && ReadReply(reply, static_cast<std::size_t>(got))) {
            const std::vector<bool> more = m_commands.Samples(reply);
            samples.insert(samples.end(), more.begin(), more.end());
        }
    }
    m_commands.Clear();
}

bool Ft232hPort::ReadReply(std::vector<std::uint8_t>& reply, std::size_t got)
{
    const std::chrono::nanoseconds deadline = Clock().Now() + kReplyTimeout;
    while (got < reply.size()) {
        // A time-out is only concluded from a read that began after the deadline, whatever
        // the scheduler did between the read and the look at the clock.
        const bool expired = Clock().Now() >= deadline;
        const int read = m_calls.Read(std::span(reply).subspan(got));
        if (read < 0) {
            Note(read);
            return false;
        }
        got += static_cast<std::size_t>(read);
        if (read == 0) {
            if (expired) {
                Note(kUsbErrorTimeout);
                return false;
            }
            Clock().Wait(kReadRetry);
        }
    }
    return true;
}

} // namespace pemrix
