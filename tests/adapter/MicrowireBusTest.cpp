#include "adapter/bus/MicrowireBus.h"

#include "FakeParport.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/ports/PpdevLinePort.h"
#include "adapter/bus/VirtualBusClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using std::chrono::milliseconds;

// The bus on an STK200 cable (CS on D7, SK on D4, DI on D5), so frames can be read back from
// the data register writes.
class MicrowireBusTest : public ::testing::Test
{
protected:
    VirtualBusClock m_clock;
    FakeParport m_port;
    PpdevLinePort m_lines{m_port, *FindCableProfile("stk200")};
    BusTiming m_timing;
    LineTransactionPort m_transactions{m_lines, m_clock, m_timing};
    MicrowireBus m_bus{m_transactions, m_clock, m_timing};

    MicrowireBusTest() { m_lines.Attach(FakeParport::kFd); }

    static MicrowireGeometry Chip(EepromType code) { return *FindMicrowireGeometry(code); }

    // DI at every rising clock edge, one string per chip select.
    std::vector<std::string> Frames() const
    {
        std::vector<std::string> frames;
        std::uint8_t previous = 0;
        for (std::uint8_t data : m_port.dataWrites) {
            if ((data & 0x80) && !(previous & 0x80))
                frames.emplace_back();
            if ((data & 0x80) && (data & 0x10) && !(previous & 0x10))
                frames.back() += (data & 0x20) ? '1' : '0';
            previous = data;
        }
        return frames;
    }
};

TEST_F(MicrowireBusTest, ReadFramesCarryEachTypesAddressWidth)
{
    const std::pair<std::uint32_t, std::string> cases[] = {
        {0x15, "110010101"},   {0x55, "11001010101"},    {0x55, "1101010101"},
        {0xAA, "11010101010"}, {0x1AA, "1100110101010"}, {0x3AA, "1101110101010"},
    };
    for (EepromType code = 1; code <= 6; ++code) {
        m_port.dataWrites.clear();
        std::uint16_t word = 0;
        m_bus.Read(Chip(code), cases[code - 1].first, word);
        EXPECT_EQ(Frames(), std::vector{cases[code - 1].second + std::string(16, '0')}) << code;
    }
}

TEST_F(MicrowireBusTest, EveryInstructionIsFramedByTheDatasheet)
{
    const MicrowireGeometry chip = Chip(4);
    const std::string data = "1010010111000011";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { m_bus.EnableWrite(chip); }, "10011000000"},
        {[&] { m_bus.DisableWrite(chip); }, "10000000000"},
        {[&] { m_bus.Write(chip, 0x81, 0xA5C3); }, "10110000001" + data},
        {[&] { m_bus.Erase(chip, 0x7E); }, "11101111110"},
        {[&] { m_bus.EraseAll(chip); }, "10010000000"},
        {[&] { m_bus.WriteAll(chip, 0xA5C3); }, "10001000000" + data},
    };
    for (const auto& [send, frame] : cases) {
        m_port.dataWrites.clear();
        send();
        // A programming instruction's second chip select is the ready poll, without clocks.
        const std::vector<std::string> frames = Frames();
        ASSERT_FALSE(frames.empty()) << frame;
        EXPECT_EQ(frames.front(), frame);
        for (std::size_t i = 1; i < frames.size(); ++i)
            EXPECT_EQ(frames[i], "") << frame;
    }
}

TEST_F(MicrowireBusTest, PollsTheChipWithChipSelectHighAndDataInLowUntilReady)
{
    MicrowireChip chip(Chip(1), m_clock);
    m_port.Plug(*FindCableProfile("stk200"), &chip);
    m_port.clock = &m_clock;
    m_bus.EnableWrite(Chip(1));
    m_port.dataWrites.clear();
    m_port.writeTimes.clear();
    ASSERT_EQ(m_bus.Write(Chip(1), 3, 0x0000), AdapterStatus::Ok);
    EXPECT_EQ(chip.Words()[3], 0x0000);

    // The last three writes: the instruction's end, the poll's chip select, the poll's end.
    const std::vector<std::uint8_t>& writes = m_port.dataWrites;
    const std::vector<std::chrono::nanoseconds>& times = m_port.writeTimes;
    const std::size_t end = writes.size() - 3;
    EXPECT_EQ(writes[end], 0x00);
    EXPECT_EQ(writes[end + 1], 0x80);
    EXPECT_EQ(writes[end + 2], 0x00);
    EXPECT_GE(times[end + 1] - times[end], std::chrono::nanoseconds(250));
    // Ready is seen within one poll interval of the chip's 2 ms cycle.
    EXPECT_GE(times[end + 2] - times[end], milliseconds(2));
    EXPECT_LE(times[end + 2] - times[end], milliseconds(2) + 2 * m_timing.pollInterval);
}

TEST_F(MicrowireBusTest, ProgrammingTimeoutsAreLongerForTheWholeChip)
{
    MicrowireChip chip(Chip(6), m_clock);
    chip.SetFaults({.neverReady = true});
    m_port.Plug(*FindCableProfile("stk200"), &chip);
    m_bus.EnableWrite(Chip(6));
    const std::pair<std::function<AdapterStatus()>, milliseconds> cases[] = {
        {[&] { return m_bus.Write(Chip(6), 0, 0); }, milliseconds(50)},
        {[&] { return m_bus.EraseAll(Chip(6)); }, milliseconds(250)},
    };
    for (const auto& [send, least] : cases) {
        const auto start = m_clock.Now();
        EXPECT_EQ(send(), AdapterStatus::ChipBusy);
        EXPECT_GE(m_clock.Now() - start, least);
        EXPECT_LT(m_clock.Now() - start, 2 * least);
        EXPECT_EQ(m_port.dataWrites.back(), 0x00);
    }
}

} // namespace
} // namespace pemrix
