#include "adapter/chip/ChipTiming.h"

#include "core/EnumOrderedTable.h"

#include <algorithm>
#include <array>

namespace pemrix {

namespace {

using std::chrono::nanoseconds;
using Limits = std::array<TimingLimit, 11>;

constexpr std::string_view kFairchild = "Fairchild NM93CS46 Rev. F.2, DC and AC Electrical "
                                        "Characteristics, VCC 2.7 V to 5.5 V";
constexpr std::string_view kMicrochip = "Microchip 93AA46A/B/C DS20001749K, Table 1-2 AC "
                                        "Characteristics, 1.8 V <= VCC < 2.5 V";
constexpr std::string_view kAtmel2V5 = "Microchip AT93C56B/AT93C66B, 4.4 AC Characteristics, "
                                       "2.5 V <= VCC <= 5.5 V";
constexpr std::string_view kAtmel4V5 = "Microchip AT93C56B/AT93C66B, 4.4 AC Characteristics, "
                                       "4.5 V <= VCC <= 5.5 V";

// Not a rule the checker applies: the bus takes a chip that shows ready later than this, with
// nothing to tell how long the host was away, for one that may have finished its cycle.
constexpr std::string_view kAtmel = "Atmel AT93C46/56/57/66, AC Characteristics, tWP Write "
                                    "Cycle Time, 0.1 ms minimum";
constexpr TimingLimit kShortestProgramCycle{TimingRule::ProgramCycle, "tWP",
                                            "self-timed programming cycle (minimum)",
                                            nanoseconds(100'000), kAtmel};

constexpr Limits kAnyPart{{
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
    kShortestProgramCycle,
}};

// The current parts from 2.5 V, after the AT93C56B/66B, whose figures are the slowest of the
// datasheets at hand; parts that allow a faster clock are only clocked below their limit.
constexpr Limits FastLimits(nanoseconds period, std::string_view periodText,
                            std::string_view periodSource)
{
    return {{
        {TimingRule::ChipSelectSetup, "tCSS", "CS high before the first rising SK", nanoseconds(50),
         kAtmel2V5},
        {TimingRule::ChipSelectHold, "tCSH", "SK low before CS falls", nanoseconds(0), kAtmel2V5},
        {TimingRule::ChipSelectLow, "tCS", "CS low between two instructions", nanoseconds(250),
         kAtmel2V5},
        {TimingRule::DataInSetup, "tDIS", "DI steady before a rising SK", nanoseconds(100),
         kAtmel2V5},
        {TimingRule::DataInHold, "tDIH", "DI steady after a rising SK", nanoseconds(100),
         kAtmel2V5},
        {TimingRule::ClockHigh, "tSKH", "SK high", nanoseconds(250), kAtmel2V5},
        {TimingRule::ClockLow, "tSKL", "SK low", nanoseconds(250), kAtmel2V5},
        {TimingRule::ClockPeriod, "1/fSK", periodText, period, periodSource},
        {TimingRule::OutputDelay, "tPD", "rising SK to DO valid (maximum)", nanoseconds(250),
         kAtmel2V5},
        {TimingRule::StatusValid, "tSV", "CS high to ready/busy valid on DO (maximum)",
         nanoseconds(250), kAtmel2V5},
        kShortestProgramCycle,
    }};
}

constexpr Limits kFrom2V5 =
    FastLimits(nanoseconds(1000), "rising SK to rising SK (1 MHz)", kAtmel2V5);
constexpr Limits kFrom4V5 =
    FastLimits(nanoseconds(500), "rising SK to rising SK (2 MHz)", kAtmel4V5);

static_assert(RowsFollowTheEnum<&TimingLimit::rule>(kAnyPart));
static_assert(RowsFollowTheEnum<&TimingLimit::rule>(kFrom2V5));
static_assert(RowsFollowTheEnum<&TimingLimit::rule>(kFrom4V5));

const Limits& LimitsOf(PartClass partClass)
{
    switch (partClass) {
    case PartClass::From2V5:
        return kFrom2V5;
    case PartClass::From4V5:
        return kFrom4V5;
    case PartClass::Any:
        break;
    }
    return kAnyPart;
}

} // namespace

std::span<const TimingLimit> ChipTimingLimits(PartClass partClass)
{
    return LimitsOf(partClass);
}

const TimingLimit& ChipTimingLimit(TimingRule rule, PartClass partClass)
{
    return LimitsOf(partClass)[static_cast<std::size_t>(rule)];
}

BusTiming BusTimingFor(PartClass partClass)
{
    BusTiming timing;
    timing.partClass = partClass;
    const auto figure = [partClass](TimingRule rule) {
        return ChipTimingLimit(rule, partClass).figure;
    };
    timing.halfPeriod = std::max({figure(TimingRule::ClockHigh), figure(TimingRule::ClockLow),
                                  (figure(TimingRule::ClockPeriod) + nanoseconds(1)) / 2});
    timing.chipSelectLow = figure(TimingRule::ChipSelectLow);
    return timing;
}

} // namespace pemrix
