#include "adapter/BuiltInDriver.h"

#include "support/TemporaryFolder.h"
#include "VirtualDriverHarness.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <functional>
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
        {REQ_ERAL, 12},         {REQ_READ_ALL, 4108}, {REQ_WRITE_ALL, 4108},
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

TEST_F(BuiltInDriverTest, AFailedWriteEnableIsTheNextRequestsStatus)
{
    EXPECT_TRUE(m_harness.SendValue(m_handle, REQ_WRITE_ENABLE, 9));
    EXPECT_EQ(Status(REQ_WRITE, WordRecord{2, 0, 0x1234}), StatusCode(AdapterStatus::BadType));
    EXPECT_EQ(m_harness.Chip(2).Words()[0], 0xFFFF);
    EXPECT_EQ(Status(REQ_READ, WordRecord{2, 0}), 0u);
}

} // namespace
} // namespace pemrix
