#include "driver/RequestCodes.h"
#include "driver/VersionCheck.h"
#include "tests/driver/LinkExpectations.h"
#include "tests/driver/ScriptedDriverLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemrix {
namespace {

TEST(VersionCheck, JudgesVersionsByTheirFourNumbers)
{
    struct JudgeCase
    {
        VersionRecord version;
        std::string expectedText;
    };
    const std::vector<JudgeCase> cases{
        {{2, 0, 0, 800, 0}, ""},
        {{2, 0, 1, 0, 0}, ""},
        {{2, 1, 0, 0, 0}, ""},
        {{3, 0, 0, 0, 0}, ""},
        {{2, 0, 0, 799, 0}, "Driver Version not match. Please reinstall the application"},
        {{2, 0, 0, 0, 0}, "Driver Version not match. Please reinstall the application"},
        {{1, 9, 9, 9999, 0}, "Driver Version.Please reinstall the application"},
        {{0, 0, 0, 0, 0}, "Driver Version.Please reinstall the application"},
    };
    for (const JudgeCase& judge : cases) {
        const VersionRecord& v = judge.version;
        EXPECT_EQ(JudgeDriverVersion(v), judge.expectedText)
            << v.major << "." << v.minor << "." << v.build << "." << v.revision;
    }
}

TEST(VersionCheck, AsksTheDriverOnceAndClosesIt)
{
    ScriptedDriverLink link;
    link.SetVersion({2, 0, 1, 0, 0});

    const DriverVersionCheck check = CheckDriverVersion(link);

    EXPECT_TRUE(check.versionRead);
    EXPECT_EQ(check.failureText, "");
    EXPECT_EQ(DriverVersionLine(check.version), "Driver Version: 2.0.1.0");
    ExpectConversation(link, 0, {{REQ_GET_VERSION, std::vector<std::uint8_t>(20, 0), 20}});
}

TEST(VersionCheck, AnOldDriverIsReadAndThenRefused)
{
    ScriptedDriverLink link;
    link.SetVersion({2, 0, 0, 799, 0});

    const DriverVersionCheck check = CheckDriverVersion(link);

    EXPECT_TRUE(check.versionRead) << "the information lines are shown before the refusal";
    EXPECT_EQ(check.failureText, "Driver Version not match. Please reinstall the application");
    EXPECT_EQ(DriverVersionLine(check.version), "Driver Version: 2.0.0.799");
    EXPECT_EQ(link.OpenHandles(), 0);
}

TEST(VersionCheck, AMissingDriverIsNotLoaded)
{
    ScriptedDriverLink link;
    link.SetOpenFails(true);

    const DriverVersionCheck check = CheckDriverVersion(link);

    EXPECT_FALSE(check.versionRead);
    EXPECT_EQ(check.failureText, "Could not load driver.Please reinstall the application");
    ASSERT_EQ(link.Calls().size(), 1u);
    EXPECT_EQ(link.Calls().front().attributes, 0u);
}

TEST(VersionCheck, AFailedVersionRequestClosesTheDevice)
{
    ScriptedDriverLink link;
    link.Script(REQ_GET_VERSION, 1, {.callResult = false});

    const DriverVersionCheck check = CheckDriverVersion(link);

    EXPECT_FALSE(check.versionRead);
    EXPECT_EQ(check.failureText, "Could not get driver version.Please reinstall the application");
    EXPECT_EQ(link.Calls().back().kind, LinkCall::Kind::Close);
    EXPECT_EQ(link.OpenHandles(), 0);
}

TEST(VersionCheck, ByteCountAndReservedFieldAreNotExamined)
{
    ScriptedDriverLink link;
    link.SetVersion({2, 1, 0, 0, 0xDEAD});
    link.Script(REQ_GET_VERSION, 1, {.bytesReturned = 3});

    EXPECT_EQ(CheckDriverVersion(link).failureText, "");
}

TEST(VersionCheck, InformationLines)
{
    EXPECT_EQ(ProductVersionLine(), "Product Version: 2.0");
    EXPECT_EQ(DriverVersionLine({4294967295u, 0, 12, 65536, 0}),
              "Driver Version: 4294967295.0.12.65536");
}

} // namespace
} // namespace pemrix
