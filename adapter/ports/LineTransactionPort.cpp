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
        samples.push_back(m_lines.ReadDataOut());
    }
}

bool LineTransactionPort::Sample()
{
    SettleClock();
    return m_lines.ReadDataOut();
}

bool LineTransactionPort::PollUntilHigh(std::chrono::nanoseconds interval,
                                        std::chrono::nanoseconds limit)
{
    SettleClock();
    const std::chrono::nanoseconds start = m_clock.Now();
    bool high = m_lines.ReadDataOut();
    while (!high && m_clock.Now() - start < limit) {
        m_clock.Wait(interval);
        high = m_lines.ReadDataOut();
    }
    return high;
}

void LineTransactionPort::Deselect()
{
    SetChipSelect(false);
    m_clock.Wait(m_timing.chipSelectLow);
}

void LineTransactionPort::SetChipSelect(bool level)
{
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
