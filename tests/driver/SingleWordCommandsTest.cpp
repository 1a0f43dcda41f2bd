#include "driver/RequestCodes.h"
#include "driver/SingleWordCommands.h"
#include "tests/driver/LinkExpectations.h"
#include "tests/driver/ScriptedDriverLink.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

constexpr std::uint32_t kPort = 0x378;

const ExpectedControl kSetPort = ValueRequestSent(REQ_SET_PORT, kPort);

TEST(SingleWordCommands, ReadSendsTwoSeparateReadsAndReportsTheFirstReply)
{
    ScriptedDriverLink link;
    link.Words()[0x10] = 0xBEEF;

    const WordCommandResult result = ReadWord(link, kPort, 2, 0x10);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.dialogAddress, 0x10u);
    EXPECT_EQ(result.dialogData, 0xBEEFu);
    EXPECT_EQ(result.logAddress, 0x10u);
    EXPECT_EQ(result.logData, 0xBEEFu);
    const ExpectedControl read{REQ_READ, FieldBytes({2, 0x10, 0, 0, 0}), 20};
    ExpectConversation(link, 0x80, {kSetPort, read, read});
    EXPECT_EQ(link.LastPort(), kPort);
}

TEST(SingleWordCommands, ModificationsAreBracketedAndVerifiedAfterTheWriteDisable)
{
    struct ModifyCase
    {
        const char* name;
        std::function<WordCommandResult(DriverLink&)> run;
        EepromType type;
        std::uint32_t address;
        std::uint32_t wordAfter;
        ExpectedControl modification;
    };
    const std::vector<ModifyCase> cases{
        {"WRITE of 1234 at 003F on a 93C46",
         [](DriverLink& link) { return WriteWord(link, kPort, 1, 0x3F, 0x1234); },
         1,
         0x3F,
         0x1234,
         {REQ_WRITE, FieldBytes({1, 0x3F, 0x1234, 0, 0}), 20}},
        {"ERASE at 01FF on a 93C76",
         [](DriverLink& link) { return EraseWord(link, kPort, 5, 0x1FF); },
         5,
         0x1FF,
         0xFFFF,
         {REQ_ERASE, FieldBytes({5, 0x1FF, 0, 0}), 16}},
    };
    for (const ModifyCase& modify : cases) {
        SCOPED_TRACE(modify.name);
        ScriptedDriverLink link;
        link.Words()[modify.address] = 0x0000;

        const WordCommandResult result = modify.run(link);

        ASSERT_TRUE(result.succeeded);
        EXPECT_EQ(link.Words()[modify.address], modify.wordAfter);
        EXPECT_EQ(result.dialogAddress, modify.address);
        EXPECT_EQ(result.dialogData, modify.wordAfter);
        EXPECT_EQ(result.logAddress, modify.address);
        EXPECT_EQ(result.logData, modify.wordAfter);
        ExpectConversation(link, 0x80,
                           {kSetPort,
                            ValueRequestSent(REQ_WRITE_ENABLE, modify.type),
                            modify.modification,
                            ValueRequestSent(REQ_WRITE_DISABLE, modify.type),
                            {REQ_READ, FieldBytes({modify.type, modify.address, 0, 0, 0}), 20}});
    }
}

TEST(SingleWordCommands, TheLogLineTakesTheReadBackRecordAndTheDialogTheWrittenOne)
{
    // A driver that echoes another address in its read-back reply shows where each value
    // comes from; the data still match, so the command succeeds.
    ScriptedDriverLink link;
    link.Script(REQ_READ, 1, {.patch = [](std::span<std::uint8_t> bytes) { bytes[4] = 0x77; }});

    const WordCommandResult result = WriteWord(link, kPort, 2, 0x10, 0x1234);

    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.dialogAddress, 0x10u);
    EXPECT_EQ(result.logAddress, 0x77u);
}

TEST(SingleWordCommands, ReadBackMismatchesGive1000)
{
    struct MismatchCase
    {
        const char* name;
        std::function<WordCommandResult(DriverLink&)> run;
        int readOccurrence;
        std::uint32_t readBack;
    };
    const std::vector<MismatchCase> cases{
        {"READ whose two reads disagree",
         [](DriverLink& link) { return ReadWord(link, kPort, 2, 0x10); }, 2, 0x1234},
        {"WRITE of 1234 reading back 1230",
         [](DriverLink& link) { return WriteWord(link, kPort, 2, 0x10, 0x1234); }, 1, 0x1230},
        {"ERASE reading back FFFE",
         [](DriverLink& link) { return EraseWord(link, kPort, 2, 0x10); }, 1, 0xFFFE},
    };
    for (const MismatchCase& mismatch : cases) {
        SCOPED_TRACE(mismatch.name);
        ScriptedDriverLink link;
        link.Script(REQ_READ, mismatch.readOccurrence,
                    {.patch = ScriptedDriverLink::ReplyData(mismatch.readBack)});

        const WordCommandResult result = mismatch.run(link);

        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.errorCode, 0x1000u);
        EXPECT_EQ(link.ControlCodes().back(), REQ_READ);
        EXPECT_EQ(link.OpenHandles(), 0);
    }
}

TEST(SingleWordCommands, WriteMismatchComesAfterTheWriteDisableWasSent)
{
    ScriptedDriverLink link;
    link.Script(REQ_READ, 1, {.patch = ScriptedDriverLink::ReplyData(0x1230)});

    EXPECT_EQ(WriteWord(link, kPort, 2, 0x10, 0x1234).errorCode, 0x1000u);
    EXPECT_EQ(link.ControlCodes(),
              (std::vector<std::uint32_t>{REQ_SET_PORT, REQ_WRITE_ENABLE, REQ_WRITE,
                                          REQ_WRITE_DISABLE, REQ_READ}));
    EXPECT_FALSE(link.WriteEnabled());
}

TEST(SingleWordCommands, ATypeOutsideTheTableIsSentAsTheDefaultType)
{
    ScriptedDriverLink link;
    ASSERT_TRUE(WriteWord(link, kPort, 9, 0x7F, 0x0001).succeeded);
    for (const LinkCall& call : link.Calls()) {
        if (call.kind == LinkCall::Kind::Control && call.code != REQ_SET_PORT) {
            EXPECT_EQ(call.input.front(), 2) << std::hex << call.code;
        }
    }
}

} // namespace
} // namespace pemrix
