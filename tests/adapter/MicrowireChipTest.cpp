#include "adapter/chip/MicrowireChip.h"

#include "adapter/bus/VirtualBusClock.h"

#include <gtest/gtest.h>

#include <string>

namespace pemrix {
namespace {

using std::chrono::milliseconds;

// Works the chip's pins by hand, one bit string per chip select.
class MicrowireChipTest : public ::testing::Test
{
protected:
    VirtualBusClock m_clock;
    MicrowireChip m_chip{*FindMicrowireGeometry(1), m_clock};

    // Clocks `bits` in with CS high and leaves CS high; returns DO after each rising edge.
    std::string Clock(const std::string& bits)
    {
        std::string dataOut;
        m_chip.Drive(true, false, false);
        for (char bit : bits) {
            m_chip.Drive(true, false, bit == '1');
            m_chip.Drive(true, true, bit == '1');
            dataOut += m_chip.DataOut() ? '1' : '0';
            m_chip.Drive(true, false, bit == '1');
        }
        return dataOut;
    }
    void Deselect() { m_chip.Drive(false, false, false); }
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
    m_chip.Drive(true, false, false);
    EXPECT_FALSE(m_chip.DataOut());
    Send(Write("000100", "0000000000000000"));
    EXPECT_EQ(m_chip.Words()[4], 0xFFFF);

    m_clock.Wait(milliseconds(2));
    m_chip.Drive(true, false, false);
    EXPECT_TRUE(m_chip.DataOut());
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

} // namespace
} // namespace pemrix
