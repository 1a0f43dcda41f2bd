#include "adapter/chip/ChipTiming.h"

#include "core/EnumOrderedTable.h"

#include <array>

namespace pemrix {

namespace {

using std::chrono::nanoseconds;

constexpr std::string_view kFairchild = "Fairchild NM93CS46 Rev. F.2, DC and AC Electrical "
                                        "Characteristics, VCC 2.7 V to 5.5 V";
constexpr std::string_view kMicrochip = "Microchip 93AA46A/B/C DS20001749K, Table 1-2 AC "
                                        "Characteristics, 1.8 V <= VCC < 2.5 V";

constexpr std::string_view kAtmel = "Atmel AT93C46/56/57/66, AC Characteristics, tWP Write "
                                    "Cycle Time, 0.1 ms minimum";

constexpr std::array<TimingLimit, 11> kLimits{{
    {TimingRule::ChipSelectSetup, "tCSS", "CS high before the first rising SK", nanoseconds(250),
     kMicrochip},
    {TimingRule::ChipSelectHold, "tCSH", "SK low before CS falls", nanoseconds(0), kFairchild},
    {TimingRule::ChipSelectLow, "tCS", "CS low between two instructions", nanoseconds(1000),
     kFairchild},
    {TimingRule::DataInSetup, "tDIS", "DI steady before a rising SK", nanoseconds(400), kFairchild},
    {TimingRule::DataInHold, "tDIH", "DI steady after a rising SK", nanoseconds(400), kFairchild},
    {TimingRule::ClockHigh, "tSKH", "SK high", nanoseconds(1000), kFairchild},
    {TimingRule::ClockLow, "tSKL", "SK low", nanoseconds(1000), kFairchild},
    {TimingRule::ClockPeriod, "1/fSK", "rising SK to rising SK (250 kHz)", nanoseconds(4000),
     kFairchild},
    {TimingRule::OutputDelay, "tPD", "rising SK to DO valid (maximum)", nanoseconds(2000),
     kFairchild},
    {TimingRule::StatusValid, "tSV", "CS high to ready/busy valid on DO (maximum)",
     nanoseconds(1000), kFairchild},
    {TimingRule::ProgramCycle, "tWP", "self-timed programming cycle (minimum)",
     nanoseconds(100'000), kAtmel},
}};

static_assert(RowsFollowTheEnum<&TimingLimit::rule>(kLimits));

} // namespace

std::span<const TimingLimit> ChipTimingLimits()
{
    return kLimits;
}

const TimingLimit& ChipTimingLimit(TimingRule rule)
{
    return kLimits[static_cast<std::size_t>(rule)];
}

} // namespace pemrix
