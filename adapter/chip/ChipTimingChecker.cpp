#include "adapter/chip/ChipTimingChecker.h"

namespace pemrix {

ChipTimingChecker::ChipTimingChecker(const BusClock& clock, PartClass partClass)
    : m_clock(clock), m_partClass(partClass)
{
}

bool ChipTimingChecker::Drive(bool chipSelect, bool clock, bool dataIn)
{
    const Time now = m_clock.Now();
    const bool selectRises = chipSelect && !m_bChipSelect;
    const bool selectFalls = !chipSelect && m_bChipSelect;
    const bool clockRises = clock && !m_bClock;
    const bool clockFalls = !clock && m_bClock;
    const bool dataChanges = dataIn != m_bDataIn;
    bool ok = true;
    if (selectRises) {
        ok = Check(TimingRule::ChipSelectLow, m_chipSelectFell, now) && ok;
        m_chipSelectRose = now;
    }
    // SK and DI only count while the chip is selected; the chip ignores them otherwise.
    if (chipSelect) {
        if (dataChanges && m_bClock)
            ok = Check(TimingRule::DataInHold, m_clockRose, now) && ok;
        if (clockRises) {
            ok = Check(TimingRule::ChipSelectSetup, m_chipSelectRose, now) && ok;
            ok = Check(TimingRule::DataInSetup, dataChanges ? now : m_dataInChanged, now) && ok;
            if (m_clockRose > m_chipSelectRose) {
                ok = Check(TimingRule::ClockLow, m_clockFell, now) && ok;
                ok = Check(TimingRule::ClockPeriod, m_clockRose, now) && ok;
            }
        }
        if (clockFalls)
            ok = Check(TimingRule::ClockHigh, m_clockRose, now) && ok;
    }
    if (selectFalls && clock) {
        Flag(TimingRule::ChipSelectHold, "CS fell while SK was high", now);
        ok = false;
    }
    if (selectFalls)
        m_chipSelectFell = now;
    if (clockRises)
        m_clockRose = now;
    if (clockFalls)
        m_clockFell = now;
    if (dataChanges)
        m_dataInChanged = now;
    m_bChipSelect = chipSelect;
    m_bClock = clock;
    m_bDataIn = dataIn;
    return ok;
}

bool ChipTimingChecker::Sample(Output output)
{
    const Time now = m_clock.Now();
    switch (output) {
    case Output::ReadBit:
        return Check(TimingRule::OutputDelay, m_clockRose, now);
    case Output::Status:
        return Check(TimingRule::StatusValid, m_chipSelectRose, now);
    case Output::Undriven:
        break;
    }
    return true;
}

bool ChipTimingChecker::Check(TimingRule rule, std::optional<Time> since, Time now)
{
    const TimingLimit& limit = ChipTimingLimit(rule, m_partClass);
    if (!since || now - *since >= limit.figure)
        return true;
    Flag(rule, std::to_string((now - *since).count()) + " ns", now);
    return false;
}

void ChipTimingChecker::Flag(TimingRule rule, const std::string& what, Time now)
{
    const TimingLimit& limit = ChipTimingLimit(rule, m_partClass);
    m_violations.push_back(std::string(limit.symbol) + " (" + std::string(limit.meaning) +
                           ", at least " + std::to_string(limit.figure.count()) + " ns): " + what +
                           " at " + std::to_string(now.count()) + " ns");
}

} // namespace pemrix
