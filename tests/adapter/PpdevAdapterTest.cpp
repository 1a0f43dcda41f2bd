#include "adapter/ports/PpdevAdapter.h"

#include "FakeParport.h"
#include "support/TemporaryFolder.h"
#include "VirtualDriverHarness.h"
#include "adapter/bus/VirtualBusClock.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <vector>

namespace pemrix {
namespace {

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
    std::shared_ptr<FakeParport> m_port = std::make_shared<FakeParport>();
    std::shared_ptr<VirtualBusClock> m_clock = std::make_shared<VirtualBusClock>();

    PpdevSetup Setup(const CableProfile& cable) const
    {
        return {m_port, m_clock, &cable, BusTiming{}};
    }
    std::unique_ptr<PpdevAdapter> Connect(const CableProfile& cable, AdapterStatus& status)
    {
        return PpdevAdapter::Connect(Setup(cable), "/dev/parport0", status);
    }
};

TEST_F(PpdevAdapterTest, ClaimsExclusivelyBeforeTouchingARegisterAndReleasesAtTheEnd)
{
    m_port->Plug(Stk200());
    AdapterStatus status = AdapterStatus::NoPort;
    auto adapter = Connect(Stk200(), status);
    ASSERT_EQ(status, AdapterStatus::Ok);
    EXPECT_TRUE(m_port->JoinedLog().starts_with("open /dev/parport0|exclusive|claim|data|"));
    adapter.reset();
    EXPECT_TRUE(m_port->JoinedLog().ends_with("|data|release|close"));
    EXPECT_EQ(m_port->dataWrites.back(), 0x00);
    EXPECT_FALSE(m_port->registerAccessWhileUnclaimed);
}

TEST_F(PpdevAdapterTest, OpenAndClaimErrorsBecomeStatuses)
{
    struct Case
    {
        std::string call;
        int error;
        AdapterStatus status;
        std::string log;
    };
    const Case cases[] = {
        {"open /dev/parport0", EACCES, AdapterStatus::PortUnavailable, "open /dev/parport0"},
        {"open /dev/parport0", ENOENT, AdapterStatus::NoPort, "open /dev/parport0"},
        {"exclusive", EBUSY, AdapterStatus::PortUnavailable, "open /dev/parport0|exclusive|close"},
        {"claim", EBUSY, AdapterStatus::PortUnavailable,
         "open /dev/parport0|exclusive|claim|close"},
        {"claim", EACCES, AdapterStatus::PortUnavailable,
         "open /dev/parport0|exclusive|claim|close"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call + " " + std::to_string(c.error));
        m_port = std::make_shared<FakeParport>();
        m_port->Plug(Stk200());
        m_port->failures[c.call] = c.error;
        AdapterStatus status = AdapterStatus::Ok;
        EXPECT_EQ(Connect(Stk200(), status), nullptr);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(m_port->JoinedLog(), c.log);
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
        m_port = std::make_shared<FakeParport>();
        if (c.plugged)
            m_port->Plug(c.cable, nullptr, c.loopbacks);
        AdapterStatus status = AdapterStatus::Ok;
        const bool connected = Connect(c.cable, status) != nullptr;
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(connected, c.status == AdapterStatus::Ok);
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
        PpdevLinePort lines(*m_port, FakeParport::kFd, c.cable);
        lines.SetLine(c.line, true);
        lines.Flush();
        lines.SetLine(c.line, false);
        lines.Flush();
        EXPECT_EQ(m_port->dataWrites, (std::vector<std::uint8_t>{c.resting, c.raised, c.resting}));
    }
}

// The whole road: a port address through the kernel's parport entries to a chip on a cable.
class PpdevDriverTest : public PpdevAdapterTest
{
protected:
    TemporaryFolder m_folder;

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

TEST_F(PpdevDriverTest, WritesAndReadsAChipOnEitherCable)
{
    // DT-006 has DO on BUSY, so its reads prove that the register's inversion is undone.
    for (const CableProfile* cable : {&Stk200(), &Dt006()}) {
        SCOPED_TRACE(std::string(cable->name));
        m_port = std::make_shared<FakeParport>();
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
        EXPECT_EQ(std::count(m_port->log.begin(), m_port->log.end(), "claim"), 1);
        harness.Driver().Close(handle);
        EXPECT_EQ(m_port->log.back(), "close");
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
        AdapterStatus status;
    };
    const Case cases[] = {
        {"no port at 0x3BC", 0x3BC, "", 0, AdapterStatus::NoPort},
        {"DO cannot be read", 888, "status", EIO, AdapterStatus::PortUnavailable},
        {"USB port unplugged", 888, "data", ENODEV, AdapterStatus::NoPort},
        {"adapter unplugged", 632, "", 0, AdapterStatus::AdapterNotDetected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_port = std::make_shared<FakeParport>();
        MicrowireChip chip(*FindMicrowireGeometry(2), *m_clock);
        if (c.address == 888)
            m_port->Plug(Stk200(), &chip);
        VirtualDriverHarness harness(m_folder.Path(), Setup(Stk200()));
        const DriverHandle handle = harness.OpenPort(c.address);
        // Write enable connects; what fails from then on outranks what the bus saw.
        ASSERT_TRUE(harness.SendValue(handle, REQ_WRITE_ENABLE, 2));
        m_port->failures[c.call] = c.error;
        EXPECT_EQ(harness.Send(handle, REQ_READ, WordRecord{2, 0}).record.status,
                  StatusCode(c.status));
    }
}

} // namespace
} // namespace pemrix
