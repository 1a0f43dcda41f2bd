#include "adapter/BuiltInDriver.h"

#include "support/TemporaryFolder.h"
#include "FakeParport.h"
#include "VirtualDriverHarness.h"
#include "adapter/bus/VirtualBusClock.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using WordList = std::vector<std::uint16_t>;

class BuiltInDriverTest : public ::testing::Test
{
protected:
    TemporaryFolder m_folder;
    VirtualDriverHarness m_harness{m_folder.Path()};
    DriverHandle m_handle = m_harness.OpenVirtualPort();

    WordList ChipWords(EepromType type)
    {
        const auto words = m_harness.Chip(type).Words();
        return {words.begin(), words.end()};
    }
    template <typename Record> std::uint32_t Status(std::uint32_t code, const Record& record)
    {
        return m_harness.Send(m_handle, code, record).record.status;
    }
    // A modifying request bracketed by write enable and disable, as the program sends it.
    template <typename Record> std::uint32_t Modify(std::uint32_t code, const Record& record)
    {
        EXPECT_TRUE(m_harness.SendValue(m_handle, REQ_WRITE_ENABLE, record.type));
        const std::uint32_t status = Status(code, record);
        EXPECT_TRUE(m_harness.SendValue(m_handle, REQ_WRITE_DISABLE, record.type));
        return status;
    }
};

TEST_F(BuiltInDriverTest, EveryRequestReturnsItsRecordSizeOrNothing)
{
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {REQ_GET_VERSION, 20},  {REQ_SET_PORT, 4},    {REQ_READ, 20},        {REQ_WRITE_ENABLE, 4},
        {REQ_WRITE_DISABLE, 4}, {REQ_WRITE, 20},      {REQ_ERASE, 16},       {REQ_WRAL, 16},
        {REQ_ERAL, 12},         {REQ_READ_ALL, 4108}, {REQ_WRITE_ALL, 4108}, {REQ_DETECT_TYPE, 20},
    };
    for (const auto& [code, size] : cases) {
        std::vector<std::uint8_t> bytes(size, 0);
        bytes[0] = 2;
        const std::uint32_t outSize = size == 4 ? 0 : size;
        std::uint32_t bytesReturned = 0xDEAD;
        EXPECT_TRUE(
            m_harness.Driver().Control(m_handle, code, bytes.data(), size, outSize, bytesReturned));
        EXPECT_EQ(bytesReturned, outSize) << code;
    }
    const VersionRecord version = m_harness.Send(m_handle, REQ_GET_VERSION, VersionRecord{}).record;
    EXPECT_EQ(std::vector({version.major, version.minor, version.build, version.revision}),
              std::vector({2u, 1u, 0u, 0u}));
}

TEST_F(BuiltInDriverTest, MalformedCallsFailAndReturnNothing)
{
    struct Case
    {
        std::uint32_t code;
        std::uint32_t inSize;
        std::uint32_t outSize;
        bool nullBuffer;
    };
    const Case cases[] = {
        {0x222003, 20, 20, false},         {REQ_READ, 20, 20, true},    {REQ_READ, 19, 20, false},
        {REQ_READ_ALL, 4108, 4104, false}, {REQ_SET_PORT, 3, 0, false},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes(4108, 0);
        std::uint32_t bytesReturned = 0xDEAD;
        EXPECT_FALSE(m_harness.Driver().Control(m_handle, c.code,
                                                c.nullBuffer ? nullptr : bytes.data(), c.inSize,
                                                c.outSize, bytesReturned));
        EXPECT_EQ(bytesReturned, 0u);
    }
}

TEST_F(BuiltInDriverTest, OpensOneHandleAtATimeEachWithoutAPort)
{
    BuiltInDriver& driver = m_harness.Driver();
    EXPECT_EQ(driver.Open(kChipCommandOpenAttributes), kInvalidDriverHandle);
    driver.Close(m_handle);
    const DriverHandle second = driver.Open(kChipCommandOpenAttributes);
    ASSERT_NE(second, kInvalidDriverHandle);
    EXPECT_FALSE(m_harness.Send(m_handle, REQ_GET_VERSION, VersionRecord{}).ok);
    EXPECT_EQ(m_harness.Send(second, REQ_READ, WordRecord{2, 0}).record.status,
              StatusCode(AdapterStatus::NoPort));
}

TEST_F(BuiltInDriverTest, EveryRequestWorksOnEveryType)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        const EepromType code = type.code;
        const std::uint32_t last = type.highestAddress;
        ImageRecord image{code};
        WordList pattern;
        for (std::uint32_t i = 0; i < type.words; ++i) {
            pattern.push_back(static_cast<std::uint16_t>(0x5A00 ^ (i * 0x0101) ^ (i << 11)));
            image.words[i] = pattern.back();
        }
        EXPECT_EQ(Modify(REQ_WRITE_ALL, image), 0u);
        EXPECT_EQ(ChipWords(code), pattern);
        const ImageRecord read = m_harness.Send(m_handle, REQ_READ_ALL, ImageRecord{code}).record;
        EXPECT_EQ(read.status, 0u);
        EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), read.words.begin()));
        EXPECT_EQ(m_harness.Send(m_handle, REQ_READ, WordRecord{code, last}).record.data,
                  pattern[last]);

        // Without write enable, or after write disable, the chip ignores programming.
        EXPECT_EQ(Status(REQ_WRITE, WordRecord{code, 0, 0x2222}), 0u);
        EXPECT_EQ(Status(REQ_ERAL, EralRecord{code}), 0u);
        EXPECT_EQ(ChipWords(code), pattern);

        // WRITE replaces the word outright (its own erase comes first); ERASE sets it to FFFF.
        pattern[last] ^= 0xA5F0;
        EXPECT_EQ(Modify(REQ_WRITE, WordRecord{code, last, pattern[last]}), 0u);
        EXPECT_EQ(Modify(REQ_ERASE, EraseRecord{code, 1}), 0u);
        pattern[1] = 0xFFFF;
        EXPECT_EQ(ChipWords(code), pattern);

        EXPECT_EQ(Modify(REQ_WRAL, FillRecord{code, 0x00A5}), 0u);
        EXPECT_EQ(ChipWords(code), WordList(type.words, 0x00A5));
        // The next type's chip has not been reached yet and is still blank.
        if (const EepromTypeInfo* next = FindEepromType(code + 1)) {
            EXPECT_EQ(ChipWords(next->code), WordList(next->words, 0xFFFF));
        }
        EXPECT_EQ(Modify(REQ_ERAL, EralRecord{code}), 0u);
        EXPECT_EQ(ChipWords(code), WordList(type.words, 0xFFFF));
    }
}

// ReadAll and WriteAll as the program sends them, each on a handle of its own, on chips with
// and without sequential read, through contents that a chip without it could fake (erased,
// zeros, one word repeated, a second word of 0000 or equal to the first) and one it cannot.
TEST(BuiltInDriverWholeChip, ReadAllAndWriteAllOnEveryTypeWithAndWithoutSequentialRead)
{
    for (const AfterLastDataBit variant :
         {AfterLastDataBit::NextWord, AfterLastDataBit::Zeros, AfterLastDataBit::Released,
          AfterLastDataBit::SameWordAgain}) {
        for (const EepromTypeInfo& type : EepromTypes()) {
            SCOPED_TRACE(std::string(type.name) + " variant " +
                         std::to_string(static_cast<int>(variant)));
            WordList pattern;
            for (std::uint32_t i = 0; i < type.words; ++i)
                pattern.push_back(static_cast<std::uint16_t>(0x5A00 ^ (i * 0x0101) ^ (i << 11)));
            WordList oneChanged = pattern;
            oneChanged[type.words / 2] ^= 0x0F0F;
            WordList secondZero = pattern;
            secondZero[1] = 0x0000;
            WordList firstTwoEqual = pattern;
            firstTwoEqual[1] = firstTwoEqual[0];
            const WordList contents[] = {pattern,
                                         oneChanged,
                                         oneChanged,
                                         WordList(type.words, 0x0000),
                                         WordList(type.words, 0x1234),
                                         secondZero,
                                         firstTwoEqual,
                                         WordList(type.words, 0xFFFF)};
            for (const bool rewriteEqualWords : {false, true}) {
                TemporaryFolder folder;
                VirtualDriverHarness harness(folder.Path(), {},
                                             BusTiming{.rewriteEqualWords = rewriteEqualWords});
                MicrowireChip& chip = harness.Chip(type.code);
                chip.SetAfterLastDataBit(variant);
                WordList held(type.words, 0xFFFF);
                for (const WordList& content : contents) {
                    ImageRecord image{type.code};
                    std::copy(content.begin(), content.end(), image.words.begin());
                    const std::size_t differing = static_cast<std::size_t>(
                        std::inner_product(held.begin(), held.end(), content.begin(), 0,
                                           std::plus<>(), std::not_equal_to<>()));
                    const unsigned cyclesBefore = chip.ProgrammingCycles();
                    DriverHandle handle = harness.OpenVirtualPort();
                    ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, type.code));
                    EXPECT_EQ(harness.Send(handle, REQ_WRITE_ALL, image).record.status, 0u);
                    harness.Driver().Close(handle);
                    EXPECT_EQ(chip.ProgrammingCycles() - cyclesBefore,
                              rewriteEqualWords ? type.words : differing);
                    EXPECT_TRUE(std::equal(content.begin(), content.end(), chip.Words().begin()));
                    held = content;
                    handle = harness.OpenVirtualPort();
                    SimulatedLinePort& port = harness.Adapter().Port(type.code);
                    std::uint64_t clocks[2] = {};
                    for (std::uint64_t& passClocks : clocks) {
                        port.ResetCounters();
                        const ImageRecord read =
                            harness.Send(handle, REQ_READ_ALL, ImageRecord{type.code}).record;
                        EXPECT_EQ(read.status, 0u);
                        EXPECT_TRUE(std::equal(content.begin(), content.end(), read.words.begin()));
                        passClocks = port.Counters().clocks;
                    }
                    // The learning is the first pass's: a chip with sequential read gives its
                    // words to one READ from the start; one without it costs the first pass the
                    // eight bits of the second word that told, on top of a READ a word.
                    if (&content == &contents[0]) {
                        const std::uint64_t read =
                            3 + FindMicrowireGeometry(type.code)->addressBits;
                        const std::uint64_t pass = variant == AfterLastDataBit::NextWord
                                                       ? read + 16 * type.words
                                                       : (read + 16) * type.words;
                        EXPECT_EQ(clocks[0],
                                  variant == AfterLastDataBit::NextWord ? pass : pass + 8);
                        EXPECT_EQ(clocks[1], pass);
                    }
                    harness.Driver().Close(handle);
                }
            }
        }
    }
}

TEST_F(BuiltInDriverTest, ReadFramesFollowEachTypesAddressWidth)
{
    // Start bit, opcode and address, then sixteen data bits; the dummy 0 has no clock.
    const std::uint64_t expected[] = {25, 27, 26, 27, 29, 29};
    for (EepromType code = 1; code <= 6; ++code) {
        SimulatedLinePort& port = m_harness.Adapter().Port(code);
        port.ResetCounters();
        Status(REQ_READ, WordRecord{code, 0});
        EXPECT_EQ(port.Counters().clocks, expected[code - 1]) << code;
    }
}

TEST_F(BuiltInDriverTest, EachFailureHasItsStatus)
{
    struct Case
    {
        std::string name;
        ChipFaults faults;
        std::uint32_t port;
        std::uint32_t code;
        EepromType type;
        std::uint32_t address;
        AdapterStatus status;
    };
    const Case cases[] = {
        {"no chip", {.absent = true}, 0x93C00, REQ_READ, 2, 0, AdapterStatus::NoChip},
        {"never ready", {.neverReady = true}, 0x93C00, REQ_WRITE, 2, 0, AdapterStatus::ChipBusy},
        {"never ready, ERAL",
         {.neverReady = true},
         0x93C00,
         REQ_ERAL,
         2,
         0,
         AdapterStatus::ChipBusy},
        {"type 0", {}, 0x93C00, REQ_READ, 0, 0, AdapterStatus::BadType},
        {"type 7", {}, 0x93C00, REQ_WRAL, 7, 0, AdapterStatus::BadType},
        {"address 64 of 93C46", {}, 0x93C00, REQ_READ, 1, 64, AdapterStatus::AddressBeyondChip},
        {"address 1024 of 93C86",
         {},
         0x93C00,
         REQ_ERASE,
         6,
         1024,
         AdapterStatus::AddressBeyondChip},
        {"missing port", {}, 0x378, REQ_READ, 2, 0, AdapterStatus::NoPort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        VirtualDriverHarness harness(folder.Path());
        if (FindEepromType(c.type))
            harness.Chip(c.type).SetFaults(c.faults);
        const DriverHandle handle = harness.OpenPort(c.port);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 2));
        std::uint32_t status = 0;
        if (c.code == REQ_ERASE)
            status = harness.Send(handle, c.code, EraseRecord{c.type, c.address}).record.status;
        else if (c.code == REQ_WRAL)
            status = harness.Send(handle, c.code, FillRecord{c.type}).record.status;
        else if (c.code == REQ_ERAL)
            status = harness.Send(handle, c.code, EralRecord{c.type}).record.status;
        else
            status = harness.Send(handle, c.code, WordRecord{c.type, c.address}).record.status;
        EXPECT_EQ(status, StatusCode(c.status));
    }
}

// The one chip in the socket answers whatever type a request names; detection, asked with the
// smallest type, finds it without a programming instruction between the request's start and
// its end, and a READ naming a larger type says so.
TEST(BuiltInDriverDetection, FindsEveryTypeInTheVirtualSocketWithoutProgrammingIt)
{
    const std::uint32_t addressBits[] = {6, 8, 7, 8, 10, 10};
    // The smaller of a pair always reads as the larger one with two equal halves would.
    const std::uint32_t alternatives[] = {0, 4, 0, 0, 6, 0};
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        TemporaryFolder folder;
        VirtualDriverHarness harness(folder.Path(), {}, {}, type.code);
        const DriverHandle handle = harness.OpenVirtualPort();
        // A type with more address bits than the chip takes is answered before its address
        // is complete, and named as too large rather than as a busy chip, even where the
        // erased words after the early dummy 0 read high.
        for (const EepromTypeInfo& larger : EepromTypes()) {
            if (addressBits[larger.code - 1] <= addressBits[type.code - 1])
                continue;
            EXPECT_EQ(harness.Send(handle, REQ_READ, WordRecord{larger.code, 0}).record.status,
                      StatusCode(AdapterStatus::TypeLargerThanChip))
                << larger.name;
        }
        ImageRecord image{type.code};
        for (std::uint32_t i = 0; i < type.words; ++i)
            image.words[i] = i;
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, type.code));
        ASSERT_EQ(harness.Send(handle, REQ_WRITE_ALL, image).record.status, 0u);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_DISABLE, type.code));
        MicrowireChip& chip = harness.Chip(type.code);
        EXPECT_EQ(&chip, &harness.Chip(1));
        const unsigned programming = chip.ProgrammingInstructions();

        const Reply<DetectRecord> reply =
            harness.Send(handle, REQ_DETECT_TYPE, DetectRecord{.type = 1});
        EXPECT_TRUE(reply.ok);
        EXPECT_EQ(reply.bytesReturned, DetectRecord::kSize);
        EXPECT_EQ(reply.record.status, 0u);
        EXPECT_EQ(reply.record.type, type.code);
        EXPECT_EQ(reply.record.addressBits, addressBits[type.code - 1]);
        EXPECT_EQ(reply.record.alternative, alternatives[type.code - 1]);
        EXPECT_EQ(chip.ProgrammingInstructions(), programming);
    }
}

TEST_F(BuiltInDriverTest, AFailedWriteEnableIsTheNextRequestsStatus)
{
    EXPECT_TRUE(m_harness.SendValue(m_handle, REQ_WRITE_ENABLE, 9));
    EXPECT_EQ(Status(REQ_WRITE, WordRecord{2, 0, 0x1234}), StatusCode(AdapterStatus::BadType));
    EXPECT_EQ(m_harness.Chip(2).Words()[0], 0xFFFF);
    EXPECT_EQ(Status(REQ_READ, WordRecord{2, 0}), 0u);
}

// The chip commands as the program sends them, each on a handle of its own: write enable, the
// request, write disable and the verification read, stopping at the first failure. The
// answer is the program's error code for a status: the request's, or the verification's
// times 16.
enum class Command
{
    Read,
    ReadAll,
    Write,
    Erase,
    Wral,
    Eral,
    WriteAll,
};

std::uint32_t RunCommand(VirtualDriverHarness& harness, Command command, EepromType type)
{
    const DriverHandle handle = harness.OpenVirtualPort();
    const bool modifies = command != Command::Read && command != Command::ReadAll;
    const auto verify = [&](std::uint32_t status, bool wholeChip) {
        if (status != 0)
            return status;
        if (modifies)
            harness.SendValue(handle, REQ_WRITE_DISABLE, type);
        const std::uint32_t second =
            wholeChip ? harness.Send(handle, REQ_READ_ALL, ImageRecord{type}).record.status
                      : harness.Send(handle, REQ_READ, WordRecord{type, 1}).record.status;
        return second << 4;
    };
    if (modifies)
        harness.SendValue(handle, REQ_WRITE_ENABLE, type);
    std::uint32_t code = 0;
    switch (command) {
    case Command::Read:
        code = verify(harness.Send(handle, REQ_READ, WordRecord{type, 1}).record.status, false);
        break;
    case Command::ReadAll:
        code = verify(harness.Send(handle, REQ_READ_ALL, ImageRecord{type}).record.status, true);
        break;
    case Command::Write:
        code = verify(harness.Send(handle, REQ_WRITE, WordRecord{type, 1, 0x1234}).record.status,
                      false);
        break;
    case Command::Erase:
        code = verify(harness.Send(handle, REQ_ERASE, EraseRecord{type, 1}).record.status, false);
        break;
    case Command::Wral:
        code = verify(harness.Send(handle, REQ_WRAL, FillRecord{type, 0x00A5}).record.status, true);
        break;
    case Command::Eral:
        code = verify(harness.Send(handle, REQ_ERAL, EralRecord{type}).record.status, true);
        break;
    case Command::WriteAll:
        code = verify(harness.Send(handle, REQ_WRITE_ALL, ImageRecord{type}).record.status, true);
        break;
    }
    harness.Driver().Close(handle);
    return code;
}

// Every command against every way DO can mislead: none may succeed, and none may leave the chip
// write-enabled where an EWDS can still reach it.
TEST(BuiltInDriverFaults, EveryCommandFailsOnAFaultyChipAndLeavesItWriteProtected)
{
    struct Case
    {
        std::string name;
        ChipFaults faults;
        // READ, ReadAll, WRITE, ERASE, WRAL, ERAL, WriteAll.
        std::array<std::uint32_t, 7> codes;
    };
    constexpr std::uint32_t kNoChip = StatusCode(AdapterStatus::NoChip);
    constexpr std::uint32_t kBusy = StatusCode(AdapterStatus::ChipBusy);
    constexpr std::uint32_t kLow = StatusCode(AdapterStatus::DataOutLow);
    const Case cases[] = {
        {"empty socket, DO floating high", {.absent = true}, {5, 5, 5, 5, 5, 5, 5}},
        {"empty socket, DO floating low",
         {.absent = true, .noPullUp = true},
         {kLow, kLow, kLow, kLow, kLow, kLow, kLow}},
        {"DO stuck low", {.dataOutStuckAt = false}, {kLow, kLow, kLow, kLow, kLow, kLow, kLow}},
        {"DO stuck high",
         {.dataOutStuckAt = true},
         {kNoChip, kNoChip, kNoChip, kNoChip, kNoChip, kNoChip, kNoChip}},
        {"no pull-up on DO", {.noPullUp = true}, {kLow, kLow, kLow, kLow, kLow, kLow, kLow}},
        {"slow part, 280 ms a cycle",
         {.cycle = std::chrono::milliseconds(280)},
         {0, 0, kBusy, kBusy, kBusy, kBusy, kBusy}},
        {"never ready", {.neverReady = true}, {0, 0, kBusy, kBusy, kBusy, kBusy, kBusy}},
    };
    const Command commands[] = {Command::Read, Command::ReadAll, Command::Write,   Command::Erase,
                                Command::Wral, Command::Eral,    Command::WriteAll};
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < std::size(commands); ++i) {
            SCOPED_TRACE(c.name + ", command " + std::to_string(i));
            TemporaryFolder folder;
            VirtualDriverHarness harness(folder.Path());
            MicrowireChip& chip = harness.Chip(2);
            chip.SetFaults(c.faults);
            EXPECT_EQ(RunCommand(harness, commands[i], 2), c.codes[i]);
            // A chip that never leaves busy ignores every EWDS.
            EXPECT_EQ(chip.WriteEnabled(), c.faults.neverReady && i >= 2);
        }
    }
}

TEST(BuiltInDriverFaults, ARequestRightAfterATimedOutWriteGivesTheBusyStatus)
{
    constexpr std::uint32_t kBusy = StatusCode(AdapterStatus::ChipBusy);
    for (const Command next : {Command::Read, Command::ReadAll}) {
        TemporaryFolder folder;
        VirtualDriverHarness harness(folder.Path());
        MicrowireChip& chip = harness.Chip(6);
        // Slower than the write timeout and the waits for it before the handle closes.
        chip.SetFaults({.cycle = std::chrono::seconds(1)});
        const DriverHandle handle = harness.OpenVirtualPort();
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 6));
        EXPECT_EQ(harness.Send(handle, REQ_WRITE, WordRecord{6, 1, 0}).record.status, kBusy);
        EXPECT_EQ(harness.Send(handle, REQ_READ, WordRecord{6, 1}).record.status, kBusy);
        harness.Driver().Close(handle);
        EXPECT_EQ(RunCommand(harness, next, 6), kBusy);
        // Once the cycle is over, a way out has write-protected the chip.
        EXPECT_EQ(RunCommand(harness, Command::Read, 6), 0u);
        EXPECT_FALSE(chip.WriteEnabled());
        EXPECT_EQ(chip.Words()[1], 0x0000);
    }
}

// One data register write in the middle of a request fails, as on a jolted cable; the rest
// get through.
class FlakyParport : public FakeParport
{
public:
    int WriteData(int fd, std::uint8_t value) override
    {
        const int error = FakeParport::WriteData(fd, value);
        return dataWrites.size() == failingWrite ? EIO : error;
    }
    std::size_t failingWrite = 0;
};

// Stops a request before its tenth word.
class StopAtWord : public DriverProgress
{
public:
    bool BeforeWord(std::uint32_t address, std::uint32_t) override { return address < 10; }
};

TEST(BuiltInDriverFaults, EveryWayOutOfAWriteEnabledHandleSendsWriteDisable)
{
    TemporaryFolder folder;
    const auto parport = folder.Path() / "proc/sys/dev/parport/parport0";
    std::filesystem::create_directories(parport);
    std::ofstream(parport / "base-addr") << "888\t1912\n";
    auto clock = std::make_shared<VirtualBusClock>();
    auto port = std::make_shared<FlakyParport>();
    MicrowireChip chip(*FindMicrowireGeometry(1), *clock);
    port->Plug(*FindCableProfile("stk200"), &chip);
    VirtualDriverHarness harness(folder.Path(),
                                 {port, clock, FindCableProfile("stk200"), BusTiming{}});
    const std::pair<std::string, std::function<void(DriverHandle)>> cases[] = {
        {"handle closed", [&](DriverHandle handle) { harness.Driver().Close(handle); }},
        {"another port chosen",
         [&](DriverHandle handle) {
             EXPECT_TRUE(harness.SendValue(handle, REQ_SET_PORT, 0x93C00));
             harness.Driver().Close(handle);
         }},
        {"port error in the middle of WriteAll",
         [&](DriverHandle handle) {
             port->failingWrite = port->dataWrites.size() + 2000;
             EXPECT_EQ(harness.Send(handle, REQ_WRITE_ALL, ImageRecord{1}).record.status,
                       StatusCode(AdapterStatus::NoPort));
             EXPECT_FALSE(chip.WriteEnabled());
             harness.Driver().Close(handle);
         }},
        {"port error in the write disable itself",
         [&](DriverHandle handle) {
             port->failingWrite = port->dataWrites.size() + 3;
             EXPECT_TRUE(harness.SendValue(handle, REQ_WRITE_DISABLE, 1));
             harness.Driver().Close(handle);
         }},
        {"WriteAll stopped by the user",
         [&](DriverHandle handle) {
             StopAtWord stop;
             harness.Driver().WatchProgress(&stop);
             EXPECT_EQ(harness.Send(handle, REQ_WRITE_ALL, ImageRecord{1}).record.status,
                       StatusCode(AdapterStatus::Stopped));
             harness.Driver().WatchProgress(nullptr);
             EXPECT_FALSE(chip.WriteEnabled());
             harness.Driver().Close(handle);
         }},
    };
    for (const auto& [name, wayOut] : cases) {
        SCOPED_TRACE(name);
        const DriverHandle handle = harness.OpenPort(888);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 1));
        ASSERT_EQ(harness.Send(handle, REQ_WRITE, WordRecord{1, 0, 0}).record.status, 0u);
        EXPECT_TRUE(chip.WriteEnabled());
        wayOut(handle);
        EXPECT_FALSE(chip.WriteEnabled());
        // The lines are left with CS low.
        EXPECT_EQ(port->dataWrites.back() & 0x80, 0);
    }
    EXPECT_EQ(chip.TimingViolations(), std::vector<std::string>());
}

} // namespace
} // namespace pemrix
