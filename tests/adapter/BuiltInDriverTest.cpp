#include "adapter/BuiltInDriver.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "VirtualDriverHarness.h"
#include "adapter/AdapterStatus.h"
#include "core/EepromTypeInfo.h"
#include "driver/EralRecord.h"
#include "driver/EraseRecord.h"
#include "driver/FillRecord.h"
#include "driver/ImageRecord.h"
#include "driver/RequestCodes.h"
#include "driver/VersionRecord.h"
#include "driver/WordRecord.h"

namespace pemrix {
namespace {

// A word pattern that differs at every address and in both bytes.
std::uint16_t PatternWord(std::uint32_t address)
{
    return static_cast<std::uint16_t>(0x5A00 ^ (address * 0x0101) ^ (address << 11));
}

std::vector<std::uint16_t> PatternWords(std::uint32_t count)
{
    std::vector<std::uint16_t> words;
    for (std::uint32_t address = 0; address < count; ++address)
        words.push_back(PatternWord(address));
    return words;
}

std::vector<std::uint16_t> Words(const MicrowireChip& chip)
{
    return {chip.Words().begin(), chip.Words().end()};
}

class BuiltInDriverTest : public ::testing::Test
{
protected:
    TempFolder m_folder;
    VirtualDriverHarness m_harness{m_folder.Path()};

    Reply<WordRecord> Read(DriverHandle handle, EepromType type, std::uint32_t address)
    {
        return m_harness.Send(handle, REQ_READ, WordRecord{type, address, 0, 0, 0});
    }
    Reply<WordRecord> Write(DriverHandle handle, EepromType type, std::uint32_t address,
                            std::uint32_t data)
    {
        return m_harness.Send(handle, REQ_WRITE, WordRecord{type, address, data, 0, 0});
    }
    // A modifying request bracketed by write enable and disable, as the program sends it.
    template <typename Record>
    Reply<Record> Modify(DriverHandle handle, std::uint32_t code, const Record& record)
    {
        EXPECT_TRUE(m_harness.SendValue(handle, REQ_WRITE_ENABLE, record.type));
        Reply<Record> reply = m_harness.Send(handle, code, record);
        EXPECT_TRUE(m_harness.SendValue(handle, REQ_WRITE_DISABLE, record.type));
        return reply;
    }
};

TEST_F(BuiltInDriverTest, EveryRequestReturnsItsRecordSizeOrNothing)
{
    struct Case
    {
        std::uint32_t code;
        std::uint32_t size;
        std::uint32_t bytesReturned;
    };
    const Case cases[] = {
        {REQ_GET_VERSION, 20, 20},  {REQ_SET_PORT, 4, 0},        {REQ_READ, 20, 20},
        {REQ_WRITE_ENABLE, 4, 0},   {REQ_WRITE_DISABLE, 4, 0},   {REQ_WRITE, 20, 20},
        {REQ_ERASE, 16, 16},        {REQ_WRAL, 16, 16},          {REQ_ERAL, 12, 12},
        {REQ_READ_ALL, 4108, 4108}, {REQ_WRITE_ALL, 4108, 4108},
    };
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        std::vector<std::uint8_t> bytes(c.size, 0);
        bytes[0] = 2;
        if (c.code == REQ_SET_PORT)
            bytes = {0x00, 0x3C, 0x09, 0x00};
        const std::uint32_t outSize = c.bytesReturned;
        std::uint32_t bytesReturned = 0xDEAD;
        EXPECT_TRUE(m_harness.Driver().Control(handle, c.code, bytes.data(), c.size, outSize,
                                               bytesReturned));
        EXPECT_EQ(bytesReturned, c.bytesReturned);
    }
}

TEST_F(BuiltInDriverTest, ReportsVersion2100WithoutAPort)
{
    const DriverHandle handle = m_harness.Driver().Open(kVersionCheckOpenAttributes);
    const Reply<VersionRecord> reply =
        m_harness.Send(handle, REQ_GET_VERSION, VersionRecord{9, 9, 9, 9, 9});
    EXPECT_TRUE(reply.ok);
    EXPECT_EQ(reply.bytesReturned, 20u);
    EXPECT_EQ(reply.record.major, 2u);
    EXPECT_EQ(reply.record.minor, 1u);
    EXPECT_EQ(reply.record.build, 0u);
    EXPECT_EQ(reply.record.revision, 0u);
}

TEST_F(BuiltInDriverTest, MalformedCallsFailAndReturnNothing)
{
    struct Case
    {
        std::string name;
        std::uint32_t code;
        std::uint32_t inSize;
        std::uint32_t outSize;
        bool nullBuffer;
    };
    const Case cases[] = {
        {"unknown code", 0x222003, 20, 20, false},
        {"no buffer", REQ_READ, 20, 20, true},
        {"short input record", REQ_READ, 19, 20, false},
        {"short output record", REQ_READ_ALL, 4108, 4104, false},
        {"short value", REQ_SET_PORT, 3, 0, false},
    };
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> bytes(4108, 0);
        std::uint32_t bytesReturned = 0xDEAD;
        EXPECT_FALSE(m_harness.Driver().Control(handle, c.code,
                                                c.nullBuffer ? nullptr : bytes.data(), c.inSize,
                                                c.outSize, bytesReturned));
        EXPECT_EQ(bytesReturned, 0u);
    }
}

TEST_F(BuiltInDriverTest, OpensOneHandleAtATime)
{
    BuiltInDriver& driver = m_harness.Driver();
    const DriverHandle first = driver.Open(kChipCommandOpenAttributes);
    ASSERT_NE(first, kInvalidDriverHandle);
    EXPECT_EQ(driver.Open(kChipCommandOpenAttributes), kInvalidDriverHandle);
    driver.Close(first);
    const DriverHandle second = driver.Open(kChipCommandOpenAttributes);
    ASSERT_NE(second, kInvalidDriverHandle);
    EXPECT_NE(second, first);
    EXPECT_FALSE(m_harness.Send(first, REQ_GET_VERSION, VersionRecord{}).ok);
    EXPECT_TRUE(m_harness.Send(second, REQ_GET_VERSION, VersionRecord{}).ok);
}

TEST_F(BuiltInDriverTest, EachHandleStartsWithoutAPort)
{
    BuiltInDriver& driver = m_harness.Driver();
    driver.Close(m_harness.OpenVirtualPort());
    const DriverHandle handle = driver.Open(kChipCommandOpenAttributes);
    EXPECT_EQ(Read(handle, 2, 0).record.status, StatusCode(AdapterStatus::NoPort));
}

TEST_F(BuiltInDriverTest, ReadsEveryWordOfEveryType)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        m_harness.Chip(type.code).LoadWords(PatternWords(type.words));
        for (std::uint32_t address : {0u, 1u, type.words / 2 + 3, type.highestAddress}) {
            const Reply<WordRecord> reply = Read(handle, type.code, address);
            EXPECT_EQ(reply.record.status, 0u);
            EXPECT_EQ(reply.record.data, PatternWord(address)) << address;
        }
    }
}

TEST_F(BuiltInDriverTest, WriteAndEraseChangeOnlyTheirWord)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        m_harness.FillChip(type.code, 0x0F0F);
        std::vector<std::uint16_t> expected(type.words, 0x0F0F);

        // WRITE replaces the word outright: its own erase comes first, so no bit stays low.
        EXPECT_EQ(Modify(handle, REQ_WRITE, WordRecord{type.code, type.highestAddress, 0xF0F0})
                      .record.status,
                  0u);
        expected[type.highestAddress] = 0xF0F0;
        EXPECT_EQ(Words(m_harness.Chip(type.code)), expected);

        EXPECT_EQ(Modify(handle, REQ_ERASE, EraseRecord{type.code, 1}).record.status, 0u);
        expected[1] = 0xFFFF;
        EXPECT_EQ(Words(m_harness.Chip(type.code)), expected);
    }
}

TEST_F(BuiltInDriverTest, WritesWithoutWriteEnableChangeNothing)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        m_harness.FillChip(type.code, 0x1111);
        EXPECT_EQ(Write(handle, type.code, 0, 0x2222).record.status, 0u);
        EXPECT_EQ(m_harness.Send(handle, REQ_ERAL, EralRecord{type.code}).record.status, 0u);
        // Write disable closes the window that write enable opened.
        Modify(handle, REQ_WRITE, WordRecord{type.code, 3, 0x3333});
        EXPECT_EQ(Write(handle, type.code, 4, 0x4444).record.status, 0u);

        std::vector<std::uint16_t> expected(type.words, 0x1111);
        expected[3] = 0x3333;
        EXPECT_EQ(Words(m_harness.Chip(type.code)), expected);
    }
}

TEST_F(BuiltInDriverTest, WralAndEralReachEveryWord)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        m_harness.Chip(type.code).LoadWords(PatternWords(type.words));
        EXPECT_EQ(Modify(handle, REQ_WRAL, FillRecord{type.code, 0x00A5}).record.status, 0u);
        EXPECT_EQ(Words(m_harness.Chip(type.code)), std::vector<std::uint16_t>(type.words, 0x00A5));
        EXPECT_EQ(Modify(handle, REQ_ERAL, EralRecord{type.code}).record.status, 0u);
        EXPECT_EQ(Words(m_harness.Chip(type.code)), std::vector<std::uint16_t>(type.words, 0xFFFF));
    }
}

TEST_F(BuiltInDriverTest, WriteAllAndReadAllMoveTheWholeChip)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    for (const EepromTypeInfo& type : EepromTypes()) {
        SCOPED_TRACE(std::string(type.name));
        const std::vector<std::uint16_t> pattern = PatternWords(type.words);
        ImageRecord image{type.code};
        std::copy(pattern.begin(), pattern.end(), image.words.begin());
        const Reply<ImageRecord> written = Modify(handle, REQ_WRITE_ALL, image);
        EXPECT_EQ(written.record.status, 0u);
        EXPECT_EQ(Words(m_harness.Chip(type.code)), pattern);

        const Reply<ImageRecord> read =
            m_harness.Send(handle, REQ_READ_ALL, ImageRecord{type.code});
        EXPECT_EQ(read.record.status, 0u);
        EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), read.record.words.begin()));
    }
}

TEST_F(BuiltInDriverTest, RequestsReachOnlyTheChipOfTheirType)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    Modify(handle, REQ_WRAL, FillRecord{3, 0x5757});
    for (const EepromTypeInfo& type : EepromTypes()) {
        const std::uint16_t expected = type.code == 3 ? 0x5757 : 0xFFFF;
        EXPECT_EQ(Words(m_harness.Chip(type.code)),
                  std::vector<std::uint16_t>(type.words, expected))
            << type.name;
    }
}

TEST_F(BuiltInDriverTest, OnlyTheLowSixteenBitsOfAWordReachTheChip)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    Modify(handle, REQ_WRITE, WordRecord{1, 5, 0x0001ABCD});
    EXPECT_EQ(m_harness.Chip(1).Words()[5], 0xABCD);
}

TEST_F(BuiltInDriverTest, ReadFramesFollowEachTypesAddressWidth)
{
    // Start bit, opcode and address, then sixteen data bits; the dummy 0 has no clock.
    struct Case
    {
        EepromType type;
        std::uint64_t clocks;
    };
    const Case cases[] = {{1, 25}, {2, 27}, {3, 26}, {4, 27}, {5, 29}, {6, 29}};
    const DriverHandle handle = m_harness.OpenVirtualPort();
    std::uint64_t clocks[7] = {};
    for (const Case& c : cases) {
        SimulatedLinePort& port = m_harness.Adapter().Port(c.type);
        port.ResetCounters();
        Read(handle, c.type, 0);
        clocks[c.type] = port.Counters().clocks;
        EXPECT_EQ(clocks[c.type], c.clocks) << c.type;
    }
    EXPECT_EQ(clocks[3] + 1, clocks[2]);
}

TEST_F(BuiltInDriverTest, EachFailureHasItsStatus)
{
    struct Case
    {
        std::string name;
        std::function<void(VirtualDriverHarness&)> arrange;
        std::uint32_t port;
        std::uint32_t code;
        EepromType type;
        std::uint32_t address;
        AdapterStatus status;
    };
    const auto fault = [](EepromType type, ChipFaults faults) {
        return [=](VirtualDriverHarness& harness) { harness.Chip(type).SetFaults(faults); };
    };
    const auto nothing = [](VirtualDriverHarness&) {};
    const Case cases[] = {
        {"no chip", fault(2, {.absent = true}), 0x93C00, REQ_READ, 2, 0, AdapterStatus::NoChip},
        {"never ready", fault(2, {.neverReady = true}), 0x93C00, REQ_WRITE, 2, 0,
         AdapterStatus::ChipBusy},
        {"never ready, ERAL", fault(6, {.neverReady = true}), 0x93C00, REQ_ERAL, 6, 0,
         AdapterStatus::ChipBusy},
        {"type 0", nothing, 0x93C00, REQ_READ, 0, 0, AdapterStatus::BadType},
        {"type 7", nothing, 0x93C00, REQ_WRAL, 7, 0, AdapterStatus::BadType},
        {"address 64 of 93C46", nothing, 0x93C00, REQ_READ, 1, 64,
         AdapterStatus::AddressBeyondChip},
        {"address 1024 of 93C86", nothing, 0x93C00, REQ_ERASE, 6, 1024,
         AdapterStatus::AddressBeyondChip},
        {"missing port", nothing, 0x378, REQ_READ, 2, 0, AdapterStatus::NoPort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        VirtualDriverHarness harness(folder.Path());
        c.arrange(harness);
        const DriverHandle handle = harness.OpenPort(c.port);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, c.type));
        std::uint32_t status = 0;
        if (c.code == REQ_READ || c.code == REQ_WRITE)
            status = harness.Send(handle, c.code, WordRecord{c.type, c.address}).record.status;
        else if (c.code == REQ_ERASE)
            status = harness.Send(handle, c.code, EraseRecord{c.type, c.address}).record.status;
        else if (c.code == REQ_WRAL)
            status = harness.Send(handle, c.code, FillRecord{c.type}).record.status;
        else
            status = harness.Send(handle, c.code, EralRecord{c.type}).record.status;
        EXPECT_EQ(status, StatusCode(c.status));
    }
}

TEST_F(BuiltInDriverTest, ATimeoutComesOnlyAfterTheAllowedTime)
{
    for (const auto& [code, least] : {std::pair{REQ_WRITE, std::chrono::milliseconds(50)},
                                      std::pair{REQ_ERAL, std::chrono::milliseconds(250)}}) {
        TempFolder folder;
        VirtualDriverHarness harness(folder.Path());
        harness.Chip(6).SetFaults({.neverReady = true});
        const DriverHandle handle = harness.OpenVirtualPort();
        harness.SendValue(handle, REQ_WRITE_ENABLE, 6);
        const auto start = harness.Adapter().Clock().Now();
        const std::uint32_t status = code == REQ_WRITE
                                         ? harness.Send(handle, code, WordRecord{6}).record.status
                                         : harness.Send(handle, code, EralRecord{6}).record.status;
        EXPECT_EQ(status, StatusCode(AdapterStatus::ChipBusy));
        EXPECT_GE(harness.Adapter().Clock().Now() - start, least);
        EXPECT_LT(harness.Adapter().Clock().Now() - start, 2 * least);
    }
}

TEST_F(BuiltInDriverTest, AFailedWriteEnableIsTheNextRequestsStatus)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    EXPECT_TRUE(m_harness.SendValue(handle, REQ_WRITE_ENABLE, 9));
    EXPECT_EQ(Write(handle, 2, 0, 0x1234).record.status, StatusCode(AdapterStatus::BadType));
    EXPECT_EQ(m_harness.Chip(2).Words()[0], 0xFFFF);
    EXPECT_EQ(Read(handle, 2, 0).record.status, 0u);
}

TEST_F(BuiltInDriverTest, ChipFaultsShowInWhatIsRead)
{
    const DriverHandle handle = m_harness.OpenVirtualPort();
    m_harness.FillChip(4, 0x0000);
    m_harness.Chip(4).SetFaults({.stuckMask = 0x0100, .stuckLevels = 0x0100});
    EXPECT_EQ(Read(handle, 4, 7).record.data, 0x0100u);

    m_harness.Chip(4).SetFaults({.unstableMask = 0x8000});
    const ImageRecord first = m_harness.Send(handle, REQ_READ_ALL, ImageRecord{4}).record;
    const ImageRecord second = m_harness.Send(handle, REQ_READ_ALL, ImageRecord{4}).record;
    EXPECT_NE(first.words, second.words);
}

} // namespace
} // namespace pemrix
