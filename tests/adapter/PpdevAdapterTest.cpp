#include "adapter/ports/ppdev/PpdevAdapter.h"

#include "FakeParport.h"
#include "support/TemporaryFolder.h"
#include "VirtualDriverHarness.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/ports/ppdev/PpdevClaimAlarm.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

namespace pemrix {
namespace {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

const CableProfile& Stk200()
{
    return *FindCableProfile("stk200");
}

const CableProfile& Dt006()
{
    return *FindCableProfile("dt006");
}

// CS on D1 and DO on BUSY, both inverted by the cable, with D6 held high at rest.
const CableProfile kInvertingCable{
    "inverting", {1, true}, {4, false}, {5, false}, {kStatusBusyBit, true}, 0x40, {}};

class PpdevAdapterTest : public ::testing::Test
{
protected:
    // Stands for the port's entry under /proc/sys/dev/parport, where an adapter needs one.
    TemporaryFolder m_folder;
    std::shared_ptr<VirtualBusClock> m_clock = std::make_shared<VirtualBusClock>();
    std::shared_ptr<FakeParport> m_port = NewPort();

    std::shared_ptr<FakeParport> NewPort() const
    {
        auto port = std::make_shared<FakeParport>();
        port->clock = m_clock.get();
        return port;
    }
    PpdevSetup Setup(const CableProfile& cable) const
    {
        return {m_port, m_clock, &cable, BusTiming{}};
    }
    // One request's way through the adapter, as a chip session makes it: the bus, then the
    // request's end.
    AdapterStatus Request(PpdevAdapter& adapter) const
    {
        adapter.BusFor(*FindMicrowireGeometry(2));
        return adapter.FinishRequest();
    }
};

TEST_F(PpdevAdapterTest, ClaimsTheSharedPortForEachRequestOnlyAndLeavesItAtRest)
{
    m_port->Plug(Stk200());
    PpdevAdapter adapter(Setup(Stk200()), "/dev/parport0", m_folder.Path());
    EXPECT_TRUE(m_port->log.empty());
    for (int request = 0; request < 2; ++request) {
        m_port->log.clear();
        ASSERT_EQ(Request(adapter), AdapterStatus::Ok);
        EXPECT_EQ(m_port->JoinedLog(),
                  "open /dev/parport0|claim|data|status|data|status|data|release|close");
        EXPECT_EQ(m_port->dataWrites.back(), 0x00);
    }
    EXPECT_FALSE(m_port->registerAccessWhileUnclaimed);
}

// The kernel's answers for a port shared with lp and other programs, and what a request
// makes of them; the wait for a client that holds the port is bounded.
TEST_F(PpdevAdapterTest, ThePortsOtherClientsAndPermissionsGiveTheirOwnStatuses)
{
    struct Case
    {
        std::string name;
        bool ppdevLoaded;
        bool permitted;
        bool exclusiveClient;
        nanoseconds heldFor;
        nanoseconds strayInterruptAfter;
        AdapterStatus status;
        nanoseconds waited;
        std::string log;
    };
    const std::string claimed =
        "open /dev/parport0|claim|data|status|data|status|data|release|close";
    const auto refused = [](int slices) {
        std::string log;
        for (int i = 0; i < slices; ++i)
            log += std::string(i > 0 ? "|" : "") + "open /dev/parport0|claim|close";
        return log;
    };
    const Case cases[] = {
        {"lp registered and idle", true, true, false, 0ns, 0ns, AdapterStatus::Ok, 0ns, claimed},
        {"lp printing for half a second", true, true, false, 500ms, 0ns, AdapterStatus::Ok, 500ms,
         refused(19) + "|" + claimed},
        {"lp printing on and on", true, true, false, 10s, 0ns, AdapterStatus::PortHeld,
         PpdevAdapter::kClaimWait, refused(80)},
        {"a stray signal during the wait", true, true, false, 1s, 10ms, AdapterStatus::Ok, 1s,
         refused(40) + "|" + claimed},
        {"a stray signal, then lp keeps printing", true, true, false, 10s, 10ms,
         AdapterStatus::PortHeld, PpdevAdapter::kClaimWait, refused(81)},
        {"another program has the port to itself", true, true, true, 0ns, 0ns,
         AdapterStatus::PortHeld, 0ns, refused(1)},
        {"ppdev not loaded", false, true, false, 0ns, 0ns, AdapterStatus::PpdevNotLoaded, 0ns,
         "open /dev/parport0"},
        {"not in the group lp", true, false, false, 0ns, 0ns, AdapterStatus::PortNotPermitted, 0ns,
         "open /dev/parport0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_port = NewPort();
        m_port->Plug(Stk200());
        m_port->ppdevLoaded = c.ppdevLoaded;
        m_port->permitted = c.permitted;
        m_port->exclusiveClient = c.exclusiveClient;
        m_port->heldFor = c.heldFor;
        m_port->strayInterruptAfter = c.strayInterruptAfter;
        PpdevAdapter adapter(Setup(Stk200()), "/dev/parport0", m_folder.Path());
        const nanoseconds start = m_clock->Now();
        EXPECT_EQ(Request(adapter), c.status);
        EXPECT_EQ(m_clock->Now() - start, c.waited);
        EXPECT_EQ(m_port->JoinedLog(), c.log);
        EXPECT_FALSE(m_port->registerAccessWhileUnclaimed);
    }
}

// Another ppdev program can release the port only between two of the claim's slices.
TEST_F(PpdevAdapterTest, AnotherPpdevProgramReleasesThePortBetweenTheClaimsSlices)
{
    struct Case
    {
        nanoseconds releasesAt;
        AdapterStatus status;
        nanoseconds fewest;
        nanoseconds most;
    };
    const Case cases[] = {
        {300ms, AdapterStatus::Ok, 300ms, 350ms},
        {nanoseconds::max(), AdapterStatus::PortHeld, PpdevAdapter::kClaimWait,
         PpdevAdapter::kClaimWait},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releasesAt.count());
        m_port = NewPort();
        m_port->Plug(Stk200());
        m_port->ppdevHolder = true;
        m_port->ppdevHolderReleasesAt = c.releasesAt;
        PpdevAdapter adapter(Setup(Stk200()), "/dev/parport0", m_folder.Path());
        const nanoseconds start = m_clock->Now();
        EXPECT_EQ(Request(adapter), c.status);
        EXPECT_GE(m_clock->Now() - start, c.fewest);
        EXPECT_LE(m_clock->Now() - start, c.most);
    }
}

TEST_F(PpdevAdapterTest, DetectsTheCableByItsLoopbacks)
{
    struct Case
    {
        std::string name;
        const CableProfile& cable;
        bool plugged;
        bool loopbacks;
        AdapterStatus status;
    };
    const Case cases[] = {
        {"STK200 plugged", Stk200(), true, true, AdapterStatus::Ok},
        {"nothing plugged", Stk200(), false, false, AdapterStatus::AdapterNotDetected},
        {"STK200 without its loopbacks", Stk200(), true, false, AdapterStatus::AdapterNotDetected},
        {"DT-006 has no loopbacks to check", Dt006(), false, false, AdapterStatus::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_port = NewPort();
        if (c.plugged)
            m_port->Plug(c.cable, nullptr, c.loopbacks);
        PpdevAdapter adapter(Setup(c.cable), "/dev/parport0", m_folder.Path());
        EXPECT_EQ(Request(adapter), c.status);
        EXPECT_EQ(m_port->log.back(), "close");
    }
}

TEST_F(PpdevAdapterTest, LinesLandOnTheirBitsWithTheirPolarity)
{
    struct Case
    {
        const CableProfile& cable;
        DriveLine line;
        std::uint8_t resting;
        std::uint8_t raised;
    };
    const Case cases[] = {
        {Stk200(), DriveLine::ChipSelect, 0x00, 0x80},
        {Stk200(), DriveLine::Clock, 0x00, 0x10},
        {Stk200(), DriveLine::DataIn, 0x00, 0x20},
        {Dt006(), DriveLine::ChipSelect, 0x00, 0x04},
        {Dt006(), DriveLine::Clock, 0x00, 0x08},
        {Dt006(), DriveLine::DataIn, 0x00, 0x01},
        {kInvertingCable, DriveLine::ChipSelect, 0x42, 0x40},
        {kInvertingCable, DriveLine::Clock, 0x42, 0x52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cable.name) + " " + std::to_string(static_cast<int>(c.line)));
        m_port->dataWrites.clear();
        PpdevLinePort lines(*m_port, c.cable);
        lines.Attach(FakeParport::kFd);
        lines.SetLine(c.line, true);
        lines.Flush();
        lines.SetLine(c.line, false);
        lines.Flush();
        EXPECT_EQ(m_port->dataWrites, (std::vector<std::uint8_t>{c.resting, c.raised, c.resting}));
    }
}

// The real alarm that bounds a claim, on a call that sleeps until a signal comes.
TEST(PpdevClaimAlarm, WakesASleepingCallEvenWhenItsFirstSignalCameTooEarly)
{
    {
        const PpdevClaimAlarm alarm(20ms);
        ASSERT_EQ(alarm.Error(), 0);
        EXPECT_EQ(::pause(), -1);
        EXPECT_EQ(errno, EINTR);
    }
    {
        // The first signal lands before the sleep starts; the repeats still end it.
        const PpdevClaimAlarm alarm(1ns);
        ASSERT_EQ(alarm.Error(), 0);
        const auto until = std::chrono::steady_clock::now() + 5ms;
        while (std::chrono::steady_clock::now() < until) {
        }
        EXPECT_EQ(::pause(), -1);
        EXPECT_EQ(errno, EINTR);
    }
}

// The whole road: a port address through the kernel's parport entries to a chip on a cable.
class PpdevDriverTest : public PpdevAdapterTest
{
protected:
    void SetUp() override
    {
        for (const auto& [port, text] :
             {std::pair{"parport0", "632\t1656\n"}, std::pair{"parport1", "888\t1912\n"}}) {
            const auto folder = m_folder.Path() / "proc/sys/dev/parport" / port;
            std::filesystem::create_directories(folder);
            std::ofstream(folder / "base-addr") << text;
        }
    }
};

TEST_F(PpdevDriverTest, WritesAndReadsAChipOnEitherCableClaimingThePortForEachRequest)
{
    // DT-006 has DO on BUSY, so its reads prove that the register's inversion is undone.
    for (const CableProfile* cable : {&Stk200(), &Dt006()}) {
        SCOPED_TRACE(std::string(cable->name));
        m_port = NewPort();
        MicrowireChip chip(*FindMicrowireGeometry(6), *m_clock);
        m_port->Plug(*cable, &chip);
        VirtualDriverHarness harness(m_folder.Path(), Setup(*cable));
        const DriverHandle handle = harness.OpenPort(888);
        EXPECT_TRUE(m_port->log.empty());

        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 6));
        EXPECT_EQ(harness.Send(handle, REQ_WRITE, WordRecord{6, 0x3FF, 0xC0DE}).record.status, 0u);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_DISABLE, 6));
        EXPECT_EQ(chip.Words()[0x3FF], 0xC0DE);
        const WordRecord read = harness.Send(handle, REQ_READ, WordRecord{6, 0x3FF}).record;
        EXPECT_EQ(read.status, 0u);
        EXPECT_EQ(read.data, 0xC0DEu);

        EXPECT_EQ(m_port->log.front(), "open /dev/parport1");
        EXPECT_EQ(std::count(m_port->log.begin(), m_port->log.end(), "claim"), 4);
        EXPECT_EQ(std::count(m_port->log.begin(), m_port->log.end(), "release"), 4);
        EXPECT_EQ(m_port->log.back(), "close");
        EXPECT_FALSE(m_port->registerAccessWhileUnclaimed);
        const std::size_t calls = m_port->log.size();
        harness.Driver().Close(handle);
        EXPECT_EQ(m_port->log.size(), calls);
    }
}

TEST_F(PpdevDriverTest, PortProblemsAreTheStatusesOfTheRequests)
{
    struct Case
    {
        std::string name;
        std::uint32_t address;
        std::string call;
        int error;
        bool portListed;
        AdapterStatus status;
    };
    const Case cases[] = {
        {"no port at 0x3BC", 0x3BC, "", 0, true, AdapterStatus::NoPort},
        {"DO cannot be read", 888, "status", EIO, true, AdapterStatus::NoPort},
        {"USB port unplugged", 888, "data", ENODEV, true, AdapterStatus::NoPort},
        {"adapter unplugged", 632, "", 0, true, AdapterStatus::AdapterNotDetected},
        // The kernel answers ENXIO to a claim in both cases.
        {"another program has the port to itself", 888, "claim", ENXIO, true,
         AdapterStatus::PortHeld},
        {"the port is gone", 888, "claim", ENXIO, false, AdapterStatus::NoPort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_port = NewPort();
        MicrowireChip chip(*FindMicrowireGeometry(2), *m_clock);
        if (c.address == 888)
            m_port->Plug(Stk200(), &chip);
        VirtualDriverHarness harness(m_folder.Path(), Setup(Stk200()));
        const DriverHandle handle = harness.OpenPort(c.address);
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 2));
        // What fails from now on outranks what the bus saw.
        m_port->failures[c.call] = c.error;
        if (!c.portListed)
            std::filesystem::remove_all(m_folder.Path() / "proc/sys/dev/parport/parport1");
        EXPECT_EQ(harness.Send(handle, REQ_READ, WordRecord{2, 0}).record.status,
                  StatusCode(c.status));
    }
}

// A loaded machine may deschedule the process between CS falling and the first ready poll for
// longer than the chip's whole cycle: every programming request of every command must still
// succeed on a chip, and still fail with "no chip" on an empty socket with DO pulled high.
TEST_F(PpdevDriverTest, AProcessDescheduledBeforeItsFirstReadyPollStillTellsAChipFromNone)
{
    for (const bool chipPresent : {true, false}) {
        for (EepromType code = 1; code <= 6; ++code) {
            const MicrowireGeometry geometry = *FindMicrowireGeometry(code);
            SCOPED_TRACE(std::to_string(code) + (chipPresent ? " chip" : " empty socket"));
            m_port = NewPort();
            MicrowireChip chip(geometry, *m_clock);
            m_port->Plug(Stk200(), chipPresent ? &chip : nullptr);
            m_port->stallAfterChipSelectFalls = 20ms;
            VirtualDriverHarness harness(m_folder.Path(), Setup(Stk200()));
            const DriverHandle handle = harness.OpenPort(888);
            ImageRecord image{code};
            for (std::uint32_t i = 0; i < geometry.words; ++i)
                image.words[i] = 0x1234 ^ i;
            const std::uint32_t expected = chipPresent ? 0u : StatusCode(AdapterStatus::NoChip);
            // Each command as the program sends it: EWEN, the request, EWDS.
            const auto command = [&](std::uint32_t code, const auto& record) {
                EXPECT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, record.type));
                const std::uint32_t status = harness.Send(handle, code, record).record.status;
                EXPECT_TRUE(harness.SendValue(handle, REQ_WRITE_DISABLE, record.type));
                return status;
            };
            EXPECT_EQ(command(REQ_WRITE_ALL, image), expected);
            EXPECT_EQ(command(REQ_WRITE, WordRecord{code, 3, 0xBEEF}), expected);
            EXPECT_EQ(command(REQ_ERASE, EraseRecord{code, 4}), expected);
            if (chipPresent) {
                EXPECT_EQ(chip.Words()[2], 0x1234 ^ 2);
                EXPECT_EQ(chip.Words()[3], 0xBEEF);
                EXPECT_EQ(chip.Words()[4], 0xFFFF);
            }
            EXPECT_EQ(command(REQ_WRAL, FillRecord{code, 0x00A5}), expected);
            EXPECT_EQ(chip.Words()[geometry.words - 1], chipPresent ? 0x00A5 : 0xFFFF);
            EXPECT_EQ(command(REQ_ERAL, EralRecord{code}), expected);
            EXPECT_EQ(chip.Words()[0], 0xFFFF);
            EXPECT_EQ(chip.TimingViolations(), std::vector<std::string>());
        }
    }
}

// A part whose cycle outlasts every wait ignores each EWDS sent while it programs, and ends
// write-enabled; the next handle's programming requests, sent without EWEN, must not program it.
TEST_F(PpdevDriverTest, AChipLeftWriteEnabledIsWriteProtectedBeforeAnUnenabledProgrammingRequest)
{
    constexpr std::uint32_t kBusy = StatusCode(AdapterStatus::ChipBusy);
    MicrowireChip chip(*FindMicrowireGeometry(2), *m_clock);
    chip.SetFaults({.cycle = 10s});
    m_port->Plug(Stk200(), &chip);
    VirtualDriverHarness harness(m_folder.Path(), Setup(Stk200()));
    DriverHandle handle = harness.OpenPort(888);
    ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 2));
    EXPECT_EQ(harness.Send(handle, REQ_WRITE, WordRecord{2, 1, 0x1111}).record.status, kBusy);
    harness.Driver().Close(handle);
    m_clock->Wait(10s);
    ASSERT_TRUE(chip.WriteEnabled());

    chip.SetFaults({});
    handle = harness.OpenPort(888);
    EXPECT_EQ(harness.Send(handle, REQ_WRITE, WordRecord{2, 2, 0x2222}).record.status, 0u);
    EXPECT_EQ(harness.Send(handle, REQ_ERAL, EralRecord{2}).record.status, 0u);
    EXPECT_FALSE(chip.WriteEnabled());
    EXPECT_EQ(chip.Words()[1], 0x1111);
    EXPECT_EQ(chip.Words()[2], 0xFFFF);
}

} // namespace
} // namespace pemrix
