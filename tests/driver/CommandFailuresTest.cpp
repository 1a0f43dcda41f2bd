#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "tests/driver/ScriptedDriverLink.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pemrix {
namespace {

constexpr std::uint32_t kPort = 0x378;

// One request of a command and the codes its failures must give.
struct StepCase
{
    std::uint32_t code;
    int occurrence;
    std::uint32_t expectedBytes;
    std::uint32_t callFailedCode;
    std::uint32_t wrongCountCode;
    // The code for driver status 5; absent for the requests without a status.
    std::optional<std::uint32_t> status5Code;
};

struct CommandCase
{
    std::string name;
    std::function<DriverResult(DriverLink&)> run;
    std::vector<StepCase> steps;
};

constexpr StepCase SetPortStep{REQ_SET_PORT, 1, 0, 0x4000, 0x2000, std::nullopt};
constexpr StepCase WriteEnableStep{REQ_WRITE_ENABLE, 1, 0, 0x0800, 0x0400, std::nullopt};
constexpr StepCase WriteDisableStep{REQ_WRITE_DISABLE, 1, 0, 0x0200, 0x0100, std::nullopt};

StepCase Main(std::uint32_t code, std::uint32_t size)
{
    return {code, 1, size, 0x0008, 0x0004, 0x0005};
}

StepCase Verification(std::uint32_t code, int occurrence, std::uint32_t size)
{
    return {code, occurrence, size, 0x0080, 0x0040, 0x0050};
}

std::vector<CommandCase> Commands()
{
    const std::vector<std::uint32_t> image(128, 0xFFFF);
    return {
        {"READ",
         [](DriverLink& link) { return DriverResult(ReadWord(link, kPort, 2, 0x10)); },
         {SetPortStep, Main(REQ_READ, 20), Verification(REQ_READ, 2, 20)}},
        {"WRITE",
         [](DriverLink& link) { return DriverResult(WriteWord(link, kPort, 2, 0x10, 0x1234)); },
         {SetPortStep, WriteEnableStep, Main(REQ_WRITE, 20), WriteDisableStep,
          Verification(REQ_READ, 1, 20)}},
        {"ERASE",
         [](DriverLink& link) { return DriverResult(EraseWord(link, kPort, 2, 0x10)); },
         {SetPortStep, WriteEnableStep, Main(REQ_ERASE, 16), WriteDisableStep,
          Verification(REQ_READ, 1, 20)}},
        {"WRAL",
         [](DriverLink& link) { return DriverResult(Wral(link, kPort, 2, 0x00A5)); },
         {SetPortStep, WriteEnableStep, Main(REQ_WRAL, 16), WriteDisableStep,
          Verification(REQ_READ_ALL, 1, 4108)}},
        {"ERAL",
         [](DriverLink& link) { return DriverResult(Eral(link, kPort, 2)); },
         {SetPortStep, WriteEnableStep, Main(REQ_ERAL, 12), WriteDisableStep,
          Verification(REQ_READ_ALL, 1, 4108)}},
        {"ReadAll",
         [](DriverLink& link) { return DriverResult(ReadAll(link, kPort, 2)); },
         {SetPortStep, Main(REQ_READ_ALL, 4108), Verification(REQ_READ_ALL, 2, 4108)}},
        {"WriteAll",
         [image](DriverLink& link) { return WriteAll(link, kPort, 2, image); },
         {SetPortStep, WriteEnableStep, Main(REQ_WRITE_ALL, 4108), WriteDisableStep,
          Verification(REQ_READ_ALL, 1, 4108)}},
    };
}

struct FaultCase
{
    std::string name;
    ScriptedReply reply;
    std::uint32_t expectedCode;
};

// The faults a step can show, alone and together, with the code the checking rule must pick.
std::vector<FaultCase> Faults(const StepCase& step)
{
    const std::uint32_t wrongCount = step.expectedBytes == 0 ? 4 : step.expectedBytes - 1;
    std::vector<FaultCase> faults{
        {"call FALSE", {.callResult = false}, step.callFailedCode},
        {"wrong byte count", {.bytesReturned = wrongCount}, step.wrongCountCode},
        {"FALSE before byte count",
         {.callResult = false, .bytesReturned = wrongCount},
         step.callFailedCode},
    };
    if (step.status5Code) {
        faults.push_back({"status 5", {.status = 5}, *step.status5Code});
        faults.push_back({"byte count before status",
                          {.bytesReturned = wrongCount, .status = 5},
                          step.wrongCountCode});
        faults.push_back({"FALSE before all",
                          {.callResult = false, .bytesReturned = wrongCount, .status = 5},
                          step.callFailedCode});
    }
    return faults;
}

TEST(CommandFailures, AHealthyDriverLetsEveryCommandSucceed)
{
    for (const CommandCase& command : Commands()) {
        ScriptedDriverLink link;
        const DriverResult result = command.run(link);
        EXPECT_TRUE(result.succeeded) << command.name << " code " << result.errorCode;
        EXPECT_EQ(link.ControlCodes().size(), command.steps.size()) << command.name;
        EXPECT_EQ(link.OpenHandles(), 0) << command.name;
    }
}

TEST(CommandFailures, EveryStepFailsWithItsOwnCodeAndEndsTheCommandAtOnce)
{
    for (const CommandCase& command : Commands()) {
        for (std::size_t index = 0; index < command.steps.size(); ++index) {
            const StepCase& step = command.steps[index];
            for (const FaultCase& fault : Faults(step)) {
                SCOPED_TRACE(command.name + ", step " + std::to_string(index + 1) + ", " +
                             fault.name);
                ScriptedDriverLink link;
                link.Script(step.code, step.occurrence, fault.reply);

                const DriverResult result = command.run(link);

                EXPECT_FALSE(result.succeeded);
                EXPECT_EQ(result.errorCode, fault.expectedCode);
                const std::vector<std::uint32_t> codes = link.ControlCodes();
                ASSERT_EQ(codes.size(), index + 1) << "nothing may be sent after a failure";
                EXPECT_EQ(codes.back(), step.code);
                EXPECT_EQ(link.Calls().back().kind, LinkCall::Kind::Close);
                EXPECT_EQ(link.OpenHandles(), 0);
            }
        }
    }
}

TEST(CommandFailures, AMissingDriverGives8000AndSendsNothing)
{
    for (const CommandCase& command : Commands()) {
        ScriptedDriverLink link;
        link.SetOpenFails(true);
        const DriverResult result = command.run(link);
        EXPECT_FALSE(result.succeeded) << command.name;
        EXPECT_EQ(result.errorCode, 0x8000u) << command.name;
        ASSERT_EQ(link.Calls().size(), 1u) << command.name << ": no request and no close";
        EXPECT_EQ(link.Calls().front().attributes, 0x80u);
    }
}

TEST(CommandFailures, VerificationStatusIsShiftedEvenPastSixteenBitsAndWrapping)
{
    struct ShiftCase
    {
        std::uint32_t status;
        std::uint32_t expectedCode;
    };
    const std::vector<ShiftCase> cases{{3, 0x30}, {0x1234, 0x12340}, {0x10000000, 0}};
    for (const CommandCase& command : Commands()) {
        const StepCase& verification = command.steps.back();
        for (const ShiftCase& shift : cases) {
            SCOPED_TRACE(command.name + ", status " + std::to_string(shift.status));
            ScriptedDriverLink link;
            link.Script(verification.code, verification.occurrence, {.status = shift.status});
            const DriverResult result = command.run(link);
            EXPECT_FALSE(result.succeeded) << "a code that wraps to 0 is still a failure";
            EXPECT_EQ(result.errorCode, shift.expectedCode);
        }
    }
}

} // namespace
} // namespace pemrix
