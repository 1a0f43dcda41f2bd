#include "adapter/chip/MicrowireChip.h"

#include "adapter/bus/VirtualBusClock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// Works the chip's pins by hand, one bit string per chip select, each change two microseconds
// after the one before, which keeps every timing rule.
class MicrowireChipTest : public ::testing::Test
{
protected:
    VirtualBusClock m_clock;
    MicrowireChip m_chip{*FindMicrowireGeometry(1), m_clock};

    void TearDown() override { EXPECT_TRUE(m_chip.TimingViolations().empty()); }

    void Pins(bool chipSelect, bool clock, bool dataIn, nanoseconds after = microseconds(2))
    {
        m_clock.Wait(after);
        m_chip.Drive(chipSelect, clock, dataIn);
    }
    bool Sample(nanoseconds after = microseconds(2))
    {
        m_clock.Wait(after);
        return m_chip.DataOut();
    }
    // Clocks `bits` in with CS high and leaves CS high; returns DO after each rising edge.
    std::string Clock(const std::string& bits)
    {
        std::string dataOut;
        Pins(true, false, false);
        for (char bit : bits) {
            Pins(true, false, bit == '1');
            Pins(true, true, bit == '1');
            dataOut += Sample() ? '1' : '0';
            Pins(true, false, bit == '1');
        }
        return dataOut;
    }
    void Deselect() { Pins(false, false, false); }
    void Send(const std::string& bits)
    {
        Clock(bits);
        Deselect();
    }
    // 93C46 frames: start bit, opcode, six address bits.
    static std::string Ewen() { return "100110000"; }
    static std::string Write(const std::string& address, const std::string& data)
    {
        return "101" + address + data;
    }
};

TEST_F(MicrowireChipTest, IgnoresZerosBeforeTheStartBitAndAnswersWithADummyZero)
{
    m_chip.LoadWords(std::vector<std::uint16_t>(64, 0xA5C3));
    const std::string dataOut = Clock("000"
                                      "110"
                                      "000101" +
                                      std::string(16, '0'));
    EXPECT_EQ(dataOut.substr(0, 11), std::string(11, '1'));
    EXPECT_EQ(dataOut.substr(11), "0"
                                  "1010010111000011");
}

TEST_F(MicrowireChipTest, ShowsBusyUntilItsCycleEndsAndIgnoresInstructionsMeanwhile)
{
    Send(Ewen());
    Send(Write("000011", "0000000000000000"));
    Pins(true, false, false);
    EXPECT_FALSE(Sample());
    // A busy chip ignores the start bit and keeps DO low through a whole instruction.
    EXPECT_EQ(Clock(Write("000100", "0000000000000000")), std::string(25, '0'));
    Deselect();
    EXPECT_EQ(m_chip.Words()[4], 0xFFFF);

    m_clock.Wait(milliseconds(2));
    Pins(true, false, false);
    EXPECT_TRUE(Sample());
    EXPECT_EQ(m_chip.ProgrammingTime(), milliseconds(2));
    // Once ready the chip takes instructions again: a READ answers with its dummy 0.
    EXPECT_EQ(Clock("110000011").back(), '0');
}

TEST_F(MicrowireChipTest, StuckAndUnstableBitsChangeWhatIsReadNotWhatIsStored)
{
    m_chip.LoadWords(std::vector<std::uint16_t>(64, 0x0000));
    m_chip.SetFaults({.stuckMask = 0x0101, .stuckLevels = 0x0100, .unstableMask = 0x8000});
    const std::string read = "110000111" + std::string(16, '0');
    EXPECT_EQ(Clock(read).substr(9), "0000000100000000");
    Deselect();
    EXPECT_EQ(Clock(read).substr(9), "1000000100000000");
    Deselect();
    EXPECT_EQ(m_chip.Words()[7], 0x0000);
}

TEST_F(MicrowireChipTest, DataOutFaultsOverrideWhatTheChipDrives)
{
    struct Case
    {
        std::string name;
        ChipFaults faults;
        // DO deselected, then at the dummy bit of a READ.
        std::string dataOut;
    };
    const Case cases[] = {
        {"healthy, with the pull-up", {}, "10"},
        {"empty socket, DO floating high", {.absent = true}, "11"},
        {"empty socket, DO floating low", {.absent = true, .noPullUp = true}, "00"},
        {"chip on a cable without a pull-up", {.noPullUp = true}, "00"},
        {"DO stuck low", {.dataOutStuckAt = false}, "00"},
        {"DO stuck high", {.dataOutStuckAt = true}, "11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_chip.SetFaults(c.faults);
        std::string dataOut(1, Sample() ? '1' : '0');
        dataOut += Clock("110000000").back();
        Deselect();
        EXPECT_EQ(dataOut, c.dataOut);
    }
}

// One change of the pins, `after` the one before.
struct PinChange
{
    nanoseconds after;
    bool chipSelect;
    bool clock;
    bool dataIn;
};
using Pins = std::vector<PinChange>;

constexpr nanoseconds kHalf = microseconds(2);

// CS high, then each bit on DI with SK low and taken by a rising SK; SK is left high.
Pins Frame(const std::string& bits)
{
    Pins pins{{kHalf, true, false, false}};
    for (char bit : bits) {
        pins.push_back({kHalf, true, false, bit == '1'});
        pins.push_back({kHalf, true, true, bit == '1'});
    }
    return pins;
}

Pins operator+(Pins first, const Pins& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const Pins kDeselect{{kHalf, true, false, false}, {kHalf, false, false, false}};

// Each case breaks one rule of the datasheet table once, on a chip of its own; a DO sample
// taken too early reads as undriven.
TEST(MicrowireChipTiming, FlagsEveryBrokenRuleAndThenIgnoresTheInstruction)
{
    struct Case
    {
        std::string symbol;
        ChipFaults faults;
        Pins pins;
        // DO is sampled this long after the last change.
        std::optional<nanoseconds> sample;
    };
    const Case cases[] = {
        {"tCSS",
         {},
         {{kHalf, false, false, true},
          {kHalf, true, false, true},
          {nanoseconds(200), true, true, true}},
         {}},
        {"tCS",
         {},
         {{kHalf, true, false, false},
          {kHalf, false, false, false},
          {nanoseconds(900), true, false, false}},
         {}},
        {"tDIS", {}, {{kHalf, true, false, false}, {kHalf, true, true, true}}, {}},
        {"tDIH", {}, Frame("1") + Pins{{nanoseconds(300), true, true, false}}, {}},
        {"tSKH", {}, Frame("1") + Pins{{nanoseconds(900), true, false, true}}, {}},
        {"tSKL",
         {},
         Frame("1") +
             Pins{{nanoseconds(3500), true, false, true}, {nanoseconds(900), true, true, true}},
         {}},
        {"1/fSK",
         {},
         Frame("1") +
             Pins{{microseconds(1), true, false, true}, {microseconds(1), true, true, true}},
         {}},
        {"tCSH", {}, Frame("1") + Pins{{kHalf, false, true, true}}, {}},
        {"tPD", {}, Frame("110000000"), nanoseconds(1500)},
        {"tSV",
         {.neverReady = true},
         Frame("100110000") + kDeselect + Frame("111000000") + kDeselect +
             Pins{{kHalf, true, false, false}},
         nanoseconds(500)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        VirtualBusClock clock;
        MicrowireChip chip(*FindMicrowireGeometry(1), clock);
        chip.SetFaults(c.faults);
        for (const PinChange& change : c.pins) {
            clock.Wait(change.after);
            chip.Drive(change.chipSelect, change.clock, change.dataIn);
        }
        if (c.sample) {
            clock.Wait(*c.sample);
            EXPECT_TRUE(chip.DataOut());
        }
        ASSERT_EQ(chip.TimingViolations().size(), 1u);
        EXPECT_TRUE(chip.TimingViolations().front().starts_with(c.symbol + " ("))
            << chip.TimingViolations().front();
    }
}

} // namespace
} // namespace pemrix
