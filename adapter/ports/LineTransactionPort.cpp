#include "adapter/ports/LineTransactionPort.h"

namespace pemrix {

LineTransactionPort::LineTransactionPort(LinePort& lines, BusClock& clock, const BusTiming& timing)
    : m_lines(lines), m_clock(clock), m_timing(timing)
{
}

std::vector<bool> LineTransactionPort::Run(const BusTransaction& transaction)
{
    std::vector<bool> samples;
    samples.reserve(transaction.SampleCount());
    m_runChipSelectFell = m_chipSelectFell;
    m_runFirstSample.reset();
    for (const BusStep& step : transaction.steps) {
        switch (step.kind) {
        case BusStep::Kind::Select:
            Select();
            break;
        case BusStep::Kind::ClockOut:
            ClockOut(step.bits, step.count);
            break;
        case BusStep::Kind::ClockIn:
            ClockIn(step.count, samples);
            break;
        case BusStep::Kind::Sample:
            samples.push_back(Sample());
            break;
        case BusStep::Kind::Deselect:
            Deselect();
            break;
        case BusStep::Kind::Wait:
            SettleClock();
            m_clock.Wait(step.duration);
            break;
        case BusStep::Kind::PollUntilHigh:
            samples.push_back(PollUntilHigh(step.duration, step.limit));
            break;
        }
    }
    m_firstSampleDelay =
        m_runFirstSample ? *m_runFirstSample - m_runChipSelectFell : std::chrono::nanoseconds(0);
    return samples;
}

void LineTransactionPort::Select()
{
    SetChipSelect(true);
    HalfPeriod();
}

void LineTransactionPort::ClockOut(std::uint32_t bits, unsigned count)
{
    // DI changes together with the falling clock edge, half a period clear of the rising edge
    // that samples it.
    for (unsigned i = count; i-- > 0;) {
        m_lines.SetLine(DriveLine::DataIn, ((bits >> i) & 1) != 0);
        m_lines.Flush();
        HalfPeriod();
        m_lines.SetLine(DriveLine::Clock, true);
        m_lines.Flush();
        HalfPeriod();
        m_lines.SetLine(DriveLine::Clock, false);
        m_bClockFallPending = true;
    }
}

void LineTransactionPort::ClockIn(unsigned count, std::vector<bool>& samples)
{
    SettleClock();
    for (unsigned i = 0; i < count; ++i) {
        m_lines.SetLine(DriveLine::Clock, true);
        m_lines.Flush();
        HalfPeriod();
        m_lines.SetLine(DriveLine::Clock, false);
        m_lines.Flush();
        HalfPeriod();
        samples.push_back(ReadDataOut());
    }
}

bool LineTransactionPort::Sample()
{
    SettleClock();
    return ReadDataOut();
}

bool LineTransactionPort::PollUntilHigh(std::chrono::nanoseconds interval,
                                        std::chrono::nanoseconds limit)
{
    SettleClock();
    // Busy is only concluded from a poll taken after the limit had passed: the process may
    // have slept through the limit between a poll and the look at the clock after it.
    const std::chrono::nanoseconds start = m_clock.Now();
    while (true) {
        const bool expired = m_clock.Now() - start >= limit;
        if (ReadDataOut())
            return true;
        if (expired)
            return false;
        m_clock.Wait(interval);
    }
}

void LineTransactionPort::Deselect()
{
    SetChipSelect(false);
    m_clock.Wait(m_timing.chipSelectLow);
}

bool LineTransactionPort::ReadDataOut()
{
    const bool level = m_lines.ReadDataOut();
    if (!m_runFirstSample)
        m_runFirstSample = m_clock.Now();
    return level;
}

void LineTransactionPort::SetChipSelect(bool level)
{
    if (!level)
        m_chipSelectFell = m_clock.Now();
    m_lines.SetLine(DriveLine::Clock, false);
    m_lines.SetLine(DriveLine::DataIn, false);
    m_lines.SetLine(DriveLine::ChipSelect, level);
    m_lines.Flush();
    m_bClockFallPending = false;
}

void LineTransactionPort::SettleClock()
{
    // The falling edge a clock-out left pending goes out with DI low, and DO is given half a
    // period to follow it.
    if (!m_bClockFallPending)
        return;
    m_lines.SetLine(DriveLine::DataIn, false);
    m_lines.Flush();
    m_bClockFallPending = false;
    HalfPeriod();
}

void LineTransactionPort::HalfPeriod()
{
    m_clock.Wait(m_timing.halfPeriod);
}

} // namespace pemrix
