#include "adapter/MicrowireBus.h"

#include "adapter/VirtualBusClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using std::chrono::nanoseconds;

// Records every flush with its virtual time and answers DO from a script.
class RecordingLinePort : public LinePort
{
public:
    struct Levels
    {
        nanoseconds time;
        bool chipSelect;
        bool clock;
        bool dataIn;
    };

    explicit RecordingLinePort(const VirtualBusClock& clock) : m_clock(clock) {}

    void SetLine(DriveLine line, bool level) override
    {
        switch (line) {
        case DriveLine::ChipSelect:
            m_pending.chipSelect = level;
            break;
        case DriveLine::Clock:
            m_pending.clock = level;
            break;
        case DriveLine::DataIn:
            m_pending.dataIn = level;
            break;
        }
    }
    void Flush() override
    {
        m_pending.time = m_clock.Now();
        flushes.push_back(m_pending);
    }
    bool ReadDataOut() override { return dataOut ? dataOut() : true; }

    // DI at every rising clock edge, one string per chip select.
    std::vector<std::string> Frames() const
    {
        std::vector<std::string> frames;
        Levels previous{};
        for (const Levels& levels : flushes) {
            if (levels.chipSelect && !previous.chipSelect)
                frames.emplace_back();
            if (levels.chipSelect && levels.clock && !previous.clock)
                frames.back() += levels.dataIn ? '1' : '0';
            previous = levels;
        }
        return frames;
    }

    std::function<bool()> dataOut;
    std::vector<Levels> flushes;

private:
    const VirtualBusClock& m_clock;
    Levels m_pending{};
};

class MicrowireBusTest : public ::testing::Test
{
protected:
    VirtualBusClock m_clock;
    RecordingLinePort m_port{m_clock};
    BusTiming m_timing;
    MicrowireBus m_bus{m_port, m_clock, m_timing};

    static MicrowireGeometry Chip(EepromType code) { return *FindMicrowireGeometry(code); }

    // DO low for the dummy bit, then the word MSB first.
    void AnswerRead(std::uint16_t word)
    {
        m_reads = 0;
        m_port.dataOut = [this, word] {
            const int bit = m_reads++;
            return bit > 0 && ((word >> (16 - bit)) & 1) != 0;
        };
    }
    // DO low (busy) for `busyPolls` reads, then high.
    void AnswerBusyFor(int busyPolls)
    {
        m_reads = 0;
        m_port.dataOut = [this, busyPolls] { return m_reads++ >= busyPolls; };
    }

    int m_reads = 0;
};

TEST_F(MicrowireBusTest, ReadFramesCarryEachTypesAddressWidth)
{
    struct Case
    {
        EepromType type;
        std::uint32_t address;
        std::string frame;
    };
    const Case cases[] = {
        {1, 0x15, "110010101"},   {2, 0x55, "11001010101"},    {3, 0x55, "1101010101"},
        {4, 0xAA, "11010101010"}, {5, 0x1AA, "1100110101010"}, {6, 0x3AA, "1101110101010"},
    };
    for (const Case& c : cases) {
        m_port.flushes.clear();
        AnswerRead(0);
        std::uint16_t word = 0;
        m_bus.Read(Chip(c.type), c.address, word);
        EXPECT_EQ(m_port.Frames(), std::vector<std::string>{c.frame + std::string(16, '0')})
            << c.type;
    }
}

TEST_F(MicrowireBusTest, EveryInstructionIsFramedByTheDatasheet)
{
    const MicrowireGeometry chip = Chip(4);
    const std::string data = "1010010111000011";
    struct Case
    {
        std::string name;
        std::function<void()> send;
        std::string frame;
    };
    const Case cases[] = {
        {"EWEN", [&] { m_bus.EnableWrite(chip); }, "10011000000"},
        {"EWDS", [&] { m_bus.DisableWrite(chip); }, "10000000000"},
        {"WRITE", [&] { m_bus.Write(chip, 0x81, 0xA5C3); }, "10110000001" + data},
        {"ERASE", [&] { m_bus.Erase(chip, 0x7E); }, "11101111110"},
        {"ERAL", [&] { m_bus.EraseAll(chip); }, "10010000000"},
        {"WRAL", [&] { m_bus.WriteAll(chip, 0xA5C3); }, "10001000000" + data},
    };
    for (const Case& c : cases) {
        m_port.flushes.clear();
        AnswerBusyFor(0);
        c.send();
        // A programming instruction's second chip select is the ready poll, without clocks.
        const std::vector<std::string> frames = m_port.Frames();
        ASSERT_FALSE(frames.empty()) << c.name;
        EXPECT_EQ(frames.front(), c.frame) << c.name;
        for (std::size_t i = 1; i < frames.size(); ++i)
            EXPECT_EQ(frames[i], "") << c.name;
    }
}

TEST_F(MicrowireBusTest, ClockPhasesLastAtLeastHalfAPeriod)
{
    AnswerRead(0);
    std::uint16_t word = 0;
    m_bus.Read(Chip(6), 0x155, word);
    const std::vector<RecordingLinePort::Levels>& flushes = m_port.flushes;
    for (std::size_t i = 1; i < flushes.size(); ++i) {
        if (flushes[i].clock != flushes[i - 1].clock) {
            EXPECT_GE(flushes[i].time - flushes[i - 1].time, m_timing.halfPeriod) << i;
        }
    }
}

TEST_F(MicrowireBusTest, ProgrammingIsPolledWithChipSelectHighAndDataInLow)
{
    AnswerBusyFor(30);
    EXPECT_EQ(m_bus.Write(Chip(1), 3, 0xFFFF), AdapterStatus::Ok);
    EXPECT_EQ(m_reads, 31);
    const std::vector<RecordingLinePort::Levels>& flushes = m_port.flushes;
    // The last three flushes: end of the instruction, the poll's chip select, its end.
    ASSERT_GE(flushes.size(), 3u);
    const auto& ended = flushes[flushes.size() - 3];
    const auto& polling = flushes[flushes.size() - 2];
    EXPECT_FALSE(ended.chipSelect);
    EXPECT_TRUE(polling.chipSelect);
    EXPECT_FALSE(polling.dataIn);
    EXPECT_FALSE(polling.clock);
    EXPECT_GE(polling.time - ended.time, nanoseconds(250));
    EXPECT_FALSE(flushes.back().chipSelect);
}

TEST_F(MicrowireBusTest, ProgrammingTimeoutsAreLongerForTheWholeChip)
{
    struct Case
    {
        std::string name;
        std::function<AdapterStatus()> send;
        nanoseconds least;
    };
    const Case cases[] = {
        {"WRITE", [&] { return m_bus.Write(Chip(6), 0, 0); }, std::chrono::milliseconds(50)},
        {"ERASE", [&] { return m_bus.Erase(Chip(6), 0); }, std::chrono::milliseconds(50)},
        {"ERAL", [&] { return m_bus.EraseAll(Chip(6)); }, std::chrono::milliseconds(250)},
        {"WRAL", [&] { return m_bus.WriteAll(Chip(6), 0); }, std::chrono::milliseconds(250)},
    };
    for (const Case& c : cases) {
        m_port.dataOut = [] { return false; };
        const nanoseconds start = m_clock.Now();
        EXPECT_EQ(c.send(), AdapterStatus::ChipBusy) << c.name;
        EXPECT_GE(m_clock.Now() - start, c.least) << c.name;
        EXPECT_FALSE(m_port.flushes.back().chipSelect) << c.name;
    }
}

} // namespace
} // namespace pemrix
