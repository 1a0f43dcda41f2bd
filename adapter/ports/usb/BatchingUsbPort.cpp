#include "adapter/ports/usb/BatchingUsbPort.h"

#include "adapter/ports/usb/UsbCalls.h"
#include "adapter/ports/usb/UsbErrorStatus.h"

#include <utility>

namespace pemrix {

BatchingUsbPort::BatchingUsbPort(BusClock& clock, unsigned fewestPolls)
    : m_clock(clock), m_readyPolls(fewestPolls)
{
}

std::vector<bool> BatchingUsbPort::Run(const BusTransaction& transaction)
{
    std::vector<bool> samples;
    for (const BusStep& step : transaction.steps) {
        if (step.kind == BusStep::Kind::Wait && !BatchesWait(step.duration)) {
            Send(samples);
            m_clock.Wait(step.duration);
        } else if (step.kind == BusStep::Kind::PollUntilHigh) {
            samples.push_back(m_readyPolls.Run(step, m_clock, [&](unsigned polls) {
                return PollRound(polls, step.duration, samples);
            }));
        } else {
            Append(step);
        }
    }
    if (KeptSamples() > 0)
        Send(samples);
    if (m_nError != 0)
        samples.assign(transaction.SampleCount(), true);
    return samples;
}

void BatchingUsbPort::Flush()
{
    std::vector<bool> samples;
    Send(samples);
}

AdapterStatus BatchingUsbPort::FinishRequest()
{
    Flush();
    const int error = std::exchange(m_nError, 0);
    if (error != 0)
        Append({BusStep::Kind::Deselect});
    return UsbErrorStatus(error);
}

void BatchingUsbPort::Note(int result)
{
    if (m_nError != 0 || result >= 0)
        return;
    m_nError = Recover(result);
}

std::vector<bool> BatchingUsbPort::PollRound(unsigned polls, std::chrono::nanoseconds spacing,
                                             std::vector<bool>& samples)
{
    const std::size_t first = samples.size() + KeptSamples();
    AppendPolls(polls, spacing);
    Send(samples);
    return TakeRoundSamples(samples, first, m_nError != 0);
}

} // namespace pemrix
