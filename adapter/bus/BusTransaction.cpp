#include "adapter/bus/BusTransaction.h"

namespace pemrix {

BusTransaction& BusTransaction::Select()
{
    steps.push_back({BusStep::Kind::Select});
    return *this;
}

BusTransaction& BusTransaction::ClockOut(std::uint32_t bits, unsigned count)
{
    steps.push_back({BusStep::Kind::ClockOut, bits, count});
    return *this;
}

BusTransaction& BusTransaction::ClockIn(unsigned count)
{
    steps.push_back({BusStep::Kind::ClockIn, 0, count});
    return *this;
}

BusTransaction& BusTransaction::Sample()
{
    steps.push_back({BusStep::Kind::Sample});
    return *this;
}

BusTransaction& BusTransaction::Deselect()
{
    steps.push_back({BusStep::Kind::Deselect});
    return *this;
}

BusTransaction& BusTransaction::Wait(std::chrono::nanoseconds duration)
{
    steps.push_back({BusStep::Kind::Wait, 0, 0, duration});
    return *this;
}

BusTransaction& BusTransaction::PollUntilHigh(std::chrono::nanoseconds interval,
                                              std::chrono::nanoseconds limit)
{
    steps.push_back({BusStep::Kind::PollUntilHigh, 0, 0, interval, limit});
    return *this;
}

unsigned BusTransaction::SampleCount() const
{
    unsigned samples = 0;
    for (const BusStep& step : steps) {
        if (step.kind == BusStep::Kind::ClockIn)
            samples += step.count;
        else if (step.kind == BusStep::Kind::Sample || step.kind == BusStep::Kind::PollUntilHigh)
            ++samples;
    }
    return samples;
}

} // namespace pemrix
