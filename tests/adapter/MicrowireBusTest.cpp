#include "adapter/bus/MicrowireBus.h"

#include "FakeParport.h"
#include "adapter/bus/ChipTypeDetection.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/ports/ppdev/PpdevLinePort.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using std::chrono::milliseconds;

// The bus on an STK200 cable (CS on D7, SK on D4, DI on D5) to a timing-checking chip, so
// frames can be read back from the data register writes.
class MicrowireBusTest : public ::testing::Test
{
protected:
    VirtualBusClock m_clock;
    FakeParport m_port;
    PpdevLinePort m_lines{m_port, *FindCableProfile("stk200")};
    BusTiming m_timing;
    LineTransactionPort m_transactions{m_lines, m_clock, m_timing};
    MicrowireBus m_bus{m_transactions, m_clock, m_timing};
    std::unique_ptr<MicrowireChip> m_chip;

    void TearDown() override
    {
        if (m_chip) {
            EXPECT_EQ(m_chip->TimingViolations(), std::vector<std::string>());
        }
    }

    MicrowireBusTest() { m_lines.Attach(FakeParport::kFd); }

    static MicrowireGeometry Chip(EepromType code,
                                  EepromOrganisation organisation = EepromOrganisation::Words16)
    {
        return *FindMicrowireGeometry(code, organisation);
    }

    // A fresh chip of type `code` in the socket.
    MicrowireChip& Plug(EepromType code, const ChipFaults& faults = {},
                        EepromOrganisation organisation = EepromOrganisation::Words16)
    {
        TearDown();
        m_chip = std::make_unique<MicrowireChip>(Chip(code, organisation), m_clock);
        m_chip->SetFaults(faults);
        m_port.Plug(*FindCableProfile("stk200"), m_chip.get());
        return *m_chip;
    }

    // DI at every rising clock edge, one string per chip select.
    std::vector<std::string> Frames() const { return Frames(m_port); }
    static std::vector<std::string> Frames(const FakeParport& port)
    {
        std::vector<std::string> frames;
        std::uint8_t previous = 0;
        for (std::uint8_t data : port.dataWrites) {
            if ((data & 0x80) && !(previous & 0x80))
                frames.emplace_back();
            if ((data & 0x80) && (data & 0x10) && !(previous & 0x10))
                frames.back() += (data & 0x20) ? '1' : '0';
            previous = data;
        }
        return frames;
    }
};

// ORG low takes one address bit more (the leading one don't-care on 93C56 and 93C76) and a
// byte of data.
TEST_F(MicrowireBusTest, ReadFramesCarryEachTypesAddressWidth)
{
    constexpr auto x16 = EepromOrganisation::Words16;
    constexpr auto x8 = EepromOrganisation::Bytes8;
    struct Case
    {
        EepromType code;
        EepromOrganisation organisation;
        std::uint32_t address;
        std::string frame;
    };
    const Case cases[] = {
        {1, x16, 0x15, "110010101"},      {2, x16, 0x55, "11001010101"},
        {3, x16, 0x55, "1101010101"},     {4, x16, 0xAA, "11010101010"},
        {5, x16, 0x1AA, "1100110101010"}, {6, x16, 0x3AA, "1101110101010"},
        {1, x8, 0x55, "1101010101"},      {2, x8, 0xAA, "110010101010"},
        {3, x8, 0xAA, "11010101010"},     {4, x8, 0x155, "110101010101"},
        {5, x8, 0x2AA, "11001010101010"}, {6, x8, 0x555, "11010101010101"},
    };
    for (const Case& c : cases) {
        const MicrowireGeometry geometry = Chip(c.code, c.organisation);
        const std::uint16_t value = geometry.dataBits == 8 ? 0xB0 : 0xB00C;
        std::vector<std::uint16_t> cells(geometry.words, 0x0000);
        cells[c.address] = value;
        Plug(c.code, {}, c.organisation).LoadWords(cells);
        m_port.dataWrites.clear();
        std::uint16_t cell = 0;
        EXPECT_EQ(m_bus.Read(geometry, c.address, cell), AdapterStatus::Ok) << c.frame;
        EXPECT_EQ(cell, value) << c.frame;
        EXPECT_EQ(Frames(), std::vector{c.frame + std::string(geometry.dataBits, '0')});
    }
}

TEST_F(MicrowireBusTest, ByteInstructionsCarryOneMoreDontCareBit)
{
    const MicrowireGeometry chip = Chip(4, EepromOrganisation::Bytes8);
    Plug(4, {}, EepromOrganisation::Bytes8);
    const std::pair<std::function<AdapterStatus()>, std::string> cases[] = {
        {[&] { return m_bus.EnableWrite(chip); }, "100110000000"},
        {[&] { return m_bus.Write(chip, 0x181, 0xA5); }, "101110000001"
                                                         "10100101"},
        {[&] { return m_bus.Erase(chip, 0x0FE); }, "111011111110"},
        {[&] { return m_bus.EraseAll(chip); }, "100100000000"},
        {[&] { return m_bus.WriteAll(chip, 0xA5); }, "100010000000"
                                                     "10100101"},
        {[&] { return m_bus.DisableWrite(chip); }, "100000000000"},
    };
    for (const auto& [send, frame] : cases) {
        m_port.dataWrites.clear();
        EXPECT_EQ(send(), AdapterStatus::Ok) << frame;
        const std::vector<std::string> frames = Frames();
        ASSERT_FALSE(frames.empty()) << frame;
        EXPECT_EQ(frames.front(), frame);
    }
    EXPECT_EQ(m_chip->Words()[0x181], 0xA5);
    EXPECT_EQ(m_chip->Words()[0x0FE], 0xA5);
}

TEST_F(MicrowireBusTest, EveryInstructionIsFramedByTheDatasheet)
{
    const MicrowireGeometry chip = Chip(4);
    Plug(4);
    const std::string data = "1010010111000011";
    const std::pair<std::function<AdapterStatus()>, std::string> cases[] = {
        {[&] { return m_bus.EnableWrite(chip); }, "10011000000"},
        {[&] { return m_bus.Write(chip, 0x81, 0xA5C3); }, "10110000001" + data},
        {[&] { return m_bus.Erase(chip, 0x7E); }, "11101111110"},
        {[&] { return m_bus.EraseAll(chip); }, "10010000000"},
        {[&] { return m_bus.WriteAll(chip, 0xA5C3); }, "10001000000" + data},
        {[&] { return m_bus.DisableWrite(chip); }, "10000000000"},
    };
    for (const auto& [send, frame] : cases) {
        m_port.dataWrites.clear();
        EXPECT_EQ(send(), AdapterStatus::Ok) << frame;
        // A programming instruction's second chip select is the ready poll, without clocks.
        const std::vector<std::string> frames = Frames();
        ASSERT_FALSE(frames.empty()) << frame;
        EXPECT_EQ(frames.front(), frame);
        for (std::size_t i = 1; i < frames.size(); ++i)
            EXPECT_EQ(frames[i], "") << frame;
    }
    EXPECT_FALSE(m_chip->WriteEnabled());
}

TEST_F(MicrowireBusTest, PollsTheChipWithChipSelectHighAndDataInLowUntilReady)
{
    MicrowireChip& chip = Plug(1);
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
    // Ready is seen within one poll interval of the chip's 2 ms cycle.
    EXPECT_GE(times[end + 2] - times[end], milliseconds(2));
    EXPECT_LE(times[end + 2] - times[end], milliseconds(2) + 2 * m_timing.pollInterval);
}

TEST_F(MicrowireBusTest, ProgrammingTimeoutsAreLongerForTheWholeChip)
{
    const std::pair<std::function<AdapterStatus()>, milliseconds> cases[] = {
        {[&] { return m_bus.Write(Chip(6), 0, 0); }, milliseconds(50)},
        {[&] { return m_bus.EraseAll(Chip(6)); }, milliseconds(250)},
    };
    for (const auto& [send, least] : cases) {
        Plug(6, {.neverReady = true});
        m_bus.EnableWrite(Chip(6));
        const auto start = m_clock.Now();
        EXPECT_EQ(send(), AdapterStatus::ChipBusy);
        EXPECT_GE(m_clock.Now() - start, least);
        EXPECT_LT(m_clock.Now() - start, 2 * least);
        EXPECT_EQ(m_port.dataWrites.back(), 0x00);
    }
}

TEST_F(MicrowireBusTest, DetectionTellsEachTypeWithReadsAloneAndRefusesWhatIsNoChip)
{
    struct Case
    {
        std::string name;
        MicrowireGeometry chip; // no words: no chip; with `unplugged`, DO reads as `status`
        bool erased;
        ChipFaults faults;
        bool unplugged;
        std::uint8_t status;
        ChipTypeDetection expected;
        AfterLastDataBit afterLastDataBit = AfterLastDataBit::NextWord;
        // A WRITE's programming cycle has just begun when detection starts.
        bool programming = false;
    };
    const MicrowireGeometry none{0, 0, 0};
    std::vector<Case> cases = {
        {"93C46", Chip(1), false, {}, false, 0, {AdapterStatus::Ok, 6, 1, 0}},
        {"93C56", Chip(2), false, {}, false, 0, {AdapterStatus::Ok, 8, 2, 4}},
        {"93C57", Chip(3), false, {}, false, 0, {AdapterStatus::Ok, 7, 3, 0}},
        {"93C66", Chip(4), false, {}, false, 0, {AdapterStatus::Ok, 8, 4, 0}},
        {"93C76", Chip(5), false, {}, false, 0, {AdapterStatus::Ok, 10, 5, 6}},
        {"93C86", Chip(6), false, {}, false, 0, {AdapterStatus::Ok, 10, 6, 0}},
        {"erased 93C66", Chip(4), true, {}, false, 0, {AdapterStatus::Ok, 8, 2, 4}},
        {"erased 93C86", Chip(6), true, {}, false, 0, {AdapterStatus::Ok, 10, 5, 6}},
        {"a 9-bit field",
         {6, 512, 9},
         false,
         {},
         false,
         0,
         {AdapterStatus::UnknownAddressWidth, 9}},
        {"cable without a chip", none, false, {}, false, 0, {AdapterStatus::NoChip}},
        {"DO held low", none, false, {}, true, 0x00, {AdapterStatus::DoNotIdleHigh}},
        {"DO pulled high", none, false, {}, true, 0x7F, {AdapterStatus::NoChip}},
    };
    // Every type again without sequential read, and with each way its DO can fail.
    const ChipTypeDetection refused[] = {
        {AdapterStatus::DoNotIdleHigh}, {AdapterStatus::NoChip}, {AdapterStatus::ChipBusy}};
    for (EepromType code = 1; code <= 6; ++code) {
        const Case healthy = cases[code - 1];
        for (const AfterLastDataBit variant : {AfterLastDataBit::Zeros, AfterLastDataBit::Released,
                                               AfterLastDataBit::SameWordAgain}) {
            cases.push_back({healthy.name + " without sequential read, variant " +
                                 std::to_string(static_cast<int>(variant)),
                             healthy.chip,
                             false,
                             {},
                             false,
                             0,
                             healthy.expected,
                             variant});
        }
        const std::pair<std::string, ChipFaults> faults[] = {
            {"no pull-up", {.noPullUp = true}},
            {"DO stuck low", {.dataOutStuckAt = false}},
            {"DO stuck high", {.dataOutStuckAt = true}},
            {"empty socket", {.absent = true}},
            {"empty socket floating low", {.absent = true, .noPullUp = true}},
            {"never ready", {.neverReady = true}},
            {"slow part", {.cycle = milliseconds(100)}},
        };
        const ChipTypeDetection expected[] = {refused[0], refused[0], refused[1],      refused[1],
                                              refused[0], refused[2], healthy.expected};
        for (std::size_t i = 0; i < std::size(faults); ++i) {
            const bool programming = faults[i].second.neverReady || faults[i].second.cycle.count();
            cases.push_back({healthy.name + ", " + faults[i].first, healthy.chip, false,
                             faults[i].second, false, 0, expected[i], AfterLastDataBit::NextWord,
                             programming});
        }
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<MicrowireChip> chip;
        std::vector<std::uint16_t> words(c.chip.words);
        for (std::uint32_t i = 0; i < c.chip.words; ++i)
            words[i] = c.erased ? 0xFFFF : static_cast<std::uint16_t>(i * 0x0101 ^ 0x5A00);
        FakeParport port;
        port.unpluggedStatus = c.status;
        if (c.chip.words != 0) {
            chip.emplace(c.chip, m_clock);
            chip->LoadWords(words);
            chip->SetFaults(c.faults);
            chip->SetAfterLastDataBit(c.afterLastDataBit);
        }
        if (!c.unplugged)
            port.Plug(*FindCableProfile("stk200"), chip ? &*chip : nullptr);
        PpdevLinePort lines(port, *FindCableProfile("stk200"));
        lines.Attach(FakeParport::kFd);
        LineTransactionPort transactions(lines, m_clock, m_timing);
        MicrowireBus bus(transactions, m_clock, m_timing);
        if (c.programming) {
            // Word 0 written with what it holds, and not waited for.
            bus.EnableWrite(c.chip);
            bus.Run(
                BusTransaction()
                    .Select()
                    .ClockOut(InstructionFrame(MicrowireInstruction::Write, c.chip.addressBits, 0),
                              3 + c.chip.addressBits)
                    .ClockOut(words[0], 16)
                    .Deselect());
            port.dataWrites.clear();
        }
        const unsigned programming = chip ? chip->ProgrammingInstructions() : 0;
        const ChipTypeDetection found = ProbeChipType(bus);
        EXPECT_EQ(found.status, c.expected.status);
        EXPECT_EQ(found.addressBits, c.expected.addressBits);
        EXPECT_EQ(found.type, c.expected.type);
        EXPECT_EQ(found.alternative, c.expected.alternative);
        // Every instruction is a READ, which the chip's count of the others confirms; a ready
        // poll selects the chip without a clock.
        for (const std::string& frame : Frames(port)) {
            if (!frame.empty()) {
                EXPECT_EQ(frame.substr(0, 3), "110");
            }
        }
        if (chip) {
            EXPECT_EQ(chip->ProgrammingInstructions(), programming);
            EXPECT_TRUE(std::ranges::equal(chip->Words(), words));
            EXPECT_EQ(chip->TimingViolations(), std::vector<std::string>());
        }
    }
}

// What DO does where the chip leaves it undriven decides; the dummy-bit-only check trades the
// empty-socket check for working without a pull-up.
TEST_F(MicrowireBusTest, AQuietOrBusyLineIsNeverTakenForData)
{
    struct Case
    {
        std::string name;
        ChipFaults faults;
        bool dummyBitCheckOnly;
        AdapterStatus write;
        AdapterStatus read;
        std::uint16_t word;
    };
    const Case cases[] = {
        {"healthy chip", {}, false, AdapterStatus::Ok, AdapterStatus::Ok, 0x1234},
        {"no pull-up",
         {.noPullUp = true},
         false,
         AdapterStatus::DataOutLow,
         AdapterStatus::DataOutLow,
         0},
        {"no pull-up, dummy bit only",
         {.noPullUp = true},
         true,
         AdapterStatus::Ok,
         AdapterStatus::Ok,
         0x1234},
        {"never ready",
         {.neverReady = true},
         false,
         AdapterStatus::ChipBusy,
         AdapterStatus::ChipBusy,
         0},
        // What the dummy-bit-only check costs: an empty socket reads as 0000.
        {"empty socket floating low, dummy bit only",
         {.absent = true, .noPullUp = true},
         true,
         AdapterStatus::ChipBusy,
         AdapterStatus::Ok,
         0x0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BusTiming timing;
        timing.dummyBitCheckOnly = c.dummyBitCheckOnly;
        MicrowireBus bus(m_transactions, m_clock, timing);
        MicrowireChip& chip = Plug(2, c.faults);
        bus.EnableWrite(Chip(2));
        m_port.dataWrites.clear();
        EXPECT_EQ(bus.Write(Chip(2), 5, 0x1234), c.write);
        std::uint16_t word = 0;
        EXPECT_EQ(bus.Read(Chip(2), 5, word), c.read);
        EXPECT_EQ(word, c.word);
        // A write whose opening fails is cut before its last address bit.
        if (c.write == AdapterStatus::DataOutLow) {
            EXPECT_EQ(Frames().front(), "1010000010");
            EXPECT_EQ(chip.Words()[5], 0xFFFF);
        }
    }
}

// Busy is only concluded from a poll taken after the timeout: a process descheduled past it
// right after a busy poll must look once more, and finds the chip ready.
TEST_F(MicrowireBusTest, ABusyChipIsOnlyGivenUpOnAfterAPollTakenPastItsTimeout)
{
    MicrowireChip& chip = Plug(2);
    m_port.clock = &m_clock;
    m_port.stallAtBusyRead = 2;
    m_port.stallAtBusyReadFor = m_timing.wordProgramTimeout + milliseconds(10);
    ASSERT_EQ(m_bus.EnableWrite(Chip(2)), AdapterStatus::Ok);
    EXPECT_EQ(m_bus.Write(Chip(2), 5, 0x1234), AdapterStatus::Ok);
    EXPECT_EQ(chip.Words()[5], 0x1234);
}

} // namespace
} // namespace pemrix
