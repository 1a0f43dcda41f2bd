#include "driver/ReplyCheck.h"

#include <array>
#include <cstddef>

namespace pemrix {

namespace {

struct StepErrorRow
{
    DriverStep step;
    StepErrorCodes codes;
};

// In the order of DriverStep, so a step's row is found by its value.
constexpr std::array<StepErrorRow, 5> kStepErrors{{
    {DriverStep::SetPort, {0x4000, 0x2000, 0}},
    {DriverStep::WriteEnable, {0x0800, 0x0400, 0}},
    {DriverStep::MainRequest, {0x0008, 0x0004, 0}},
    {DriverStep::WriteDisable, {0x0200, 0x0100, 0}},
    {DriverStep::Verification, {0x0080, 0x0040, 4}},
}};

constexpr bool RowsFollowStepOrder()
{
    for (std::size_t i = 0; i < kStepErrors.size(); ++i) {
        if (static_cast<std::size_t>(kStepErrors[i].step) != i)
            return false;
    }
    return true;
}
static_assert(RowsFollowStepOrder());

} // namespace

StepErrorCodes ErrorCodesOf(DriverStep step)
{
    return kStepErrors[static_cast<std::size_t>(step)].codes;
}

DriverResult CheckReply(DriverStep step, bool callSucceeded, std::uint32_t bytesReturned,
                        std::uint32_t expectedBytes, std::optional<std::uint32_t> status)
{
    const StepErrorCodes codes = ErrorCodesOf(step);
    if (!callSucceeded)
        return DriverResult::Failure(codes.callFailed);
    if (bytesReturned != expectedBytes)
        return DriverResult::Failure(codes.wrongByteCount);
    if (status.value_or(0) != 0)
        return DriverResult::Failure(*status << codes.statusShift);
    return DriverResult::Success();
}

} // namespace pemrix
