#include "adapter/ports/Ft232hPort.h"

#include <algorithm>
#include <utility>

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
    : m_calls(calls), m_clock(clock), m_commands(timing), m_readyPolls(kPollsPerShortRound)
{
}

std::vector<bool> Ft232hPort::Run(const BusTransaction& transaction)
{
    std::vector<bool> samples;
    for (const BusStep& step : transaction.steps) {
        if (step.kind == BusStep::Kind::Wait &&
            (step.duration > kLongestEngineWait || !m_commands.ClockThroughWait())) {
            Send(samples);
            m_clock.Wait(step.duration);
        } else if (step.kind == BusStep::Kind::PollUntilHigh) {
            const unsigned cadence =
                std::max(kPollCadenceClocks, m_commands.ClocksFor(step.duration));
            samples.push_back(m_readyPolls.Run(step, m_clock, [&](unsigned polls) {
                return PollRound(polls, cadence, samples);
            }));
        } else {
            m_commands.Append(step);
        }
    }
    if (m_commands.ReplyBytes() > 0)
        Send(samples);
    if (m_nError != 0)
        samples.assign(transaction.SampleCount(), true);
    return samples;
}

void Ft232hPort::Start()
{
    Note(m_calls.SetLatencyTimer(kLatencyMilliseconds));
    if (m_nError == 0)
        Note(m_calls.SetBitMode(0, kFtdiBitModeReset));
    if (m_nError == 0)
        Note(m_calls.SetBitMode(kOutputPins, kFtdiBitModeMpsse));
    if (m_nError == 0)
        Note(m_calls.PurgeBuffers());
    if (m_nError != 0)
        return;
    // An unknown opcode must come back as 0xFA and itself: proof that the engine listens and
    // that no stale bytes sit in the reply queue.
    const std::uint8_t sync[] = {kSyncCommand, kSendImmediate};
    const int written = m_calls.Write(sync);
    Note(written < 0 ? written : (written == sizeof sync ? 0 : kUsbErrorIo));
    std::vector<std::uint8_t> reply(2);
    if (m_nError == 0 && ReadReply(reply) &&
        (reply[0] != kBadCommandReply || reply[1] != kSyncCommand))
        Note(kUsbErrorIo);
    m_commands.Setup();
    Flush();
}

int Ft232hPort::TakeError()
{
    const int error = std::exchange(m_nError, 0);
    if (error != 0)
        m_commands.Append({BusStep::Kind::Deselect});
    return error;
}

void Ft232hPort::Flush()
{
    std::vector<bool> samples;
    Send(samples);
}

void Ft232hPort::Rest()
{
    m_commands.Append({BusStep::Kind::Deselect});
    Flush();
}

std::vector<bool> Ft232hPort::PollRound(unsigned polls, unsigned cadence,
                                        std::vector<bool>& samples)
{
    const std::size_t first = samples.size() + m_commands.SampleCount();
    m_commands.Poll(polls, cadence);
    Send(samples);
    return TakeRoundSamples(samples, first, m_nError != 0);
}

void Ft232hPort::Send(std::vector<bool>& samples)
{
    if (m_commands.Empty() || m_nError != 0) {
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
        if (m_nError == 0 && ReadReply(reply, static_cast<std::size_t>(got))) {
            const std::vector<bool> more = m_commands.Samples(reply);
            samples.insert(samples.end(), more.begin(), more.end());
        }
    }
    m_commands.Clear();
}

bool Ft232hPort::ReadReply(std::vector<std::uint8_t>& reply, std::size_t got)
{
    const std::chrono::nanoseconds deadline = m_clock.Now() + kReplyTimeout;
    while (got < reply.size()) {
        const int read = m_calls.Read(std::span(reply).subspan(got));
        if (read < 0) {
            Note(read);
            return false;
        }
        got += static_cast<std::size_t>(read);
        if (read == 0) {
            if (m_clock.Now() >= deadline) {
                Note(kUsbErrorTimeout);
                return false;
            }
            m_clock.Wait(kReadRetry);
        }
    }
    return true;
}

void Ft232hPort::Note(int result)
{
    if (m_nError == 0 && result < 0)
        m_nError = result;
}

} // namespace pemrix
