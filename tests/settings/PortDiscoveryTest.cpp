#include "settings/PortDiscovery.h"

#include "settings/PortMachinePlatform.h"
#include "tests/settings/DescribedPorts.h"

#include <gtest/gtest.h>

#include <string>

namespace pemrix {
namespace {

// Discovers over the machine and checks that every handle it was given went back once.
PortTable Discover(PortMachine machine)
{
    PortMachinePlatform platform(std::move(machine));
    PortTable table = DiscoverPorts(platform).m_parallelPorts;
    EXPECT_EQ(platform.LiveHandleCount(), 0u);
    EXPECT_EQ(platform.BadReleaseCount(), 0u);
    return table;
}

PortRecord DiscoverOne(PortMachineDevice device)
{
    return Discover(DescribedMachine({std::move(device)}))[0];
}

PortMachineConfig Config(PortConfigKind kind, std::uint64_t base)
{
    return PortMachineConfig{kind, {IoRange(base, base + 7)}};
}

constexpr PortConfigKind kAllocated = PortConfigKind::Allocated;
constexpr PortConfigKind kForced = PortConfigKind::Forced;
constexpr PortConfigKind kBoot = PortConfigKind::Boot;

TEST(PortDiscovery, RecordsAreIndexedByEnumerationPosition)
{
    const PortTable table = Discover(
        DescribedMachine({DescribedSerialPort(), DescribedPort(u"Printer Port (LPT1)", 0x378)}));
    EXPECT_TRUE(table[0].m_strName.empty());
    EXPECT_TRUE(table[0].m_strAddress.empty());
    EXPECT_EQ(table[1].m_strName, u"Printer Port (LPT1)");
    EXPECT_EQ(table[1].m_strAddress, "0378");
    EXPECT_FALSE(table[1].m_bDisabled);
    EXPECT_FALSE(table[1].m_bAbsent);
    for (std::size_t i = 2; i < table.size(); ++i)
        EXPECT_TRUE(table[i].m_strName.empty());
}

TEST(PortDiscovery, OnlyNamesWithUpperCaseLptOrTheProgramsOwnAdaptersAreTaken)
{
    const struct
    {
        std::u16string name;
        bool taken;
        std::u16string instanceId = u"ROOT\\PORTS\\0000";
    } cases[] = {
        {u"ECP Printer Port (LPT2)", true},
        {u"LPT", true},
        {u"Virtual Adapter (LPT Simulator)", true},
        {u"printer port (lpt1)", false},
        {u"Lpt1", false},
        {u"Communications Port (COM1)", false},
        {u"L P T", false},
        {u"", false},
        {u"USB-SERIAL CH340 (COM3)", false, u"USB\\VID_1A86&PID_7523\\5&1A2B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        PortMachineDevice device = DescribedPort(c.name, 0x378);
        device.m_strInstanceId = c.instanceId;
        EXPECT_EQ(!DiscoverOne(device).m_strName.empty(), c.taken);
    }
}

TEST(PortDiscovery, DeviceWithoutInstanceIdOrFriendlyNameIsSkipped)
{
    PortMachineDevice noId = DescribedPort(u"Printer Port (LPT1)", 0x378);
    noId.m_strInstanceId.clear();
    PortMachineDevice longId = DescribedPort(u"Printer Port (LPT1)", 0x378);
    longId.m_strInstanceId = std::u16string(200, u'I');
    PortMachineDevice longestId = DescribedPort(u"Printer Port (LPT1)", 0x378);
    longestId.m_strInstanceId = std::u16string(199, u'I');
    PortMachineDevice noName = DescribedPort(u"Printer Port (LPT1)", 0x378);
    noName.m_bFriendlyNameReadable = false;

    const PortTable table = Discover(DescribedMachine({noId, longId, longestId, noName}));
    EXPECT_TRUE(table[0].m_strName.empty());
    EXPECT_TRUE(table[1].m_strName.empty());
    EXPECT_EQ(table[2].m_strAddress, "0378");
    EXPECT_TRUE(table[3].m_strName.empty());
}

TEST(PortDiscovery, FriendlyNameIsCutAt511Characters)
{
    const std::u16string head = u"Printer Port (LPT1)";
    const struct
    {
        std::size_t length;
        std::size_t kept;
    } cases[] = {{511, 511}, {512, 511}, {600, 511}, {2000, 511}, {100, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::u16string name = head + std::u16string(c.length - head.size(), u'x');
        const PortRecord record = DiscoverOne(DescribedPort(name, 0x378));
        EXPECT_EQ(record.m_strName, name.substr(0, c.kept));
        EXPECT_EQ(record.m_strAddress, "0378");
    }
    // What lies beyond the cut is never looked at.
    const std::u16string lateLpt = std::u16string(511, u'x') + u"LPT";
    EXPECT_TRUE(DiscoverOne(DescribedPort(lateLpt, 0x378)).m_strName.empty());
}

TEST(PortDiscovery, ConfigurationIsChosenByKindAndNodeStatus)
{
    const struct
    {
        const char* what;
        PortNodeStatus status;
        std::vector<PortMachineConfig> configs;
        const char* address;
    } cases[] = {
        {"allocated first, whatever the order given",
         {},
         {Config(kBoot, 0x3BC), Config(kForced, 0x278), Config(kAllocated, 0x378)},
         "0378"},
        {"forced without allocated", {}, {Config(kBoot, 0x3BC), Config(kForced, 0x278)}, "0278"},
        {"boot alone", {}, {Config(kBoot, 0x3BC)}, "03BC"},
        {"a problem passes allocated over",
         ProblemStatus(10),
         {Config(kAllocated, 0x378), Config(kForced, 0x278)},
         "0278"},
        {"a problem and only allocated", ProblemStatus(10), {Config(kAllocated, 0x378)}, ""},
        {"disabled uses boot",
         ProblemStatus(22),
         {Config(kAllocated, 0x378), Config(kBoot, 0x3BC)},
         "03BC"},
        {"disabled by hardware passes boot over", ProblemStatus(29), {Config(kBoot, 0x3BC)}, ""},
        {"disabled by hardware still takes forced",
         ProblemStatus(29),
         {Config(kForced, 0x278), Config(kBoot, 0x3BC)},
         "0278"},
        {"problem code 29 without the problem bit",
         {kPortCrSuccess, 0, 29},
         {Config(kBoot, 0x3BC)},
         "03BC"},
        {"status query fails", {kPortCrNoSuchDevNode, 0, 0}, {Config(kAllocated, 0x378)}, ""},
        {"no configuration", {}, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PortRecord record =
            DiscoverOne(DescribedPort(u"Printer Port (LPT1)", c.status, c.configs));
        EXPECT_EQ(record.m_strName, u"Printer Port (LPT1)");
        EXPECT_EQ(record.m_strAddress, c.address);
    }
}

TEST(PortDiscovery, FirstNonEmptyIoRangeGivesTheAddress)
{
    PortMachineResource unreadable = IoRange(0x300, 0x307);
    unreadable.m_bDataReadable = false;
    const struct
    {
        const char* what;
        std::vector<PortMachineResource> resources;
        const char* address;
    } cases[] = {
        {"memory before I/O", {MemoryRange(0xD0000, 0xD0FFF), IoRange(0x378, 0x37F)}, "0378"},
        {"zero length skipped", {IoRange(0x300, 0x2FF), IoRange(0x278, 0x27F)}, "0278"},
        {"unreadable data skipped", {unreadable, IoRange(0x3BC, 0x3BF)}, "03BC"},
        {"first of two", {IoRange(0x378, 0x37F), IoRange(0x778, 0x77F)}, "0378"},
        {"single register", {IoRange(0x2BC, 0x2BC)}, "02BC"},
        {"DMA and interrupt change nothing",
         {PortMachineResource{PortResourceType::Dma, 0x378, 0x37F, true},
          PortMachineResource{PortResourceType::Interrupt, 0x7, 0x7, true}},
         ""},
        {"five digits whole", {IoRange(0x10000, 0x10007)}, "10000"},
        {"leading zero kept", {IoRange(0x278, 0x27F)}, "0278"},
        {"beyond 32 bits", {IoRange(0xABCDE12345, 0xABCDE1234C)}, "ABCDE12345"},
        {"no descriptors", {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PortRecord record =
            DiscoverOne(DescribedPort(u"Printer Port (LPT1)", PortNodeStatus{},
                                      {PortMachineConfig{kAllocated, c.resources}}));
        EXPECT_EQ(record.m_strAddress, c.address);
    }
}

TEST(PortDiscovery, DisabledAndAbsentFlagsFollowTheSecondStatusQuery)
{
    const struct
    {
        const char* what;
        PortNodeStatus status;
        bool detailReadable;
        bool disabled;
        bool absent;
    } cases[] = {
        {"disabled", ProblemStatus(22), true, true, false},
        {"disabled but no set details", ProblemStatus(22), false, false, false},
        {"another problem", ProblemStatus(10), true, false, false},
        {"code 22 without the problem bit", {kPortCrSuccess, 0, 22}, true, false, false},
        {"no such device node", {kPortCrNoSuchDevNode, 0, 0}, true, false, true},
        {"no such value", {kPortCrNoSuchValue, 0, 0}, true, false, true},
        {"absent but no set details", {kPortCrNoSuchDevNode, 0, 0}, false, false, false},
        {"another failure", {5, 0, 0}, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortMachine machine = DescribedMachine(
            {DescribedPort(u"Printer Port (LPT1)", c.status, {Config(kBoot, 0x378)})});
        machine.m_bDetailReadable = c.detailReadable;
        const PortRecord record = Discover(machine)[0];
        EXPECT_EQ(record.m_bDisabled, c.disabled);
        EXPECT_EQ(record.m_bAbsent, c.absent);
    }
}

TEST(PortDiscovery, NoDeviceSetGivesAnEmptyTable)
{
    PortMachine noClass = DescribedMachine({DescribedPort(u"Printer Port (LPT1)", 0x378)});
    noClass.m_bKnowsPortsClass = false;
    PortMachine noSet = noClass;
    noSet.m_bKnowsPortsClass = true;
    noSet.m_bDeviceSetOpens = false;
    for (const PortMachine& machine : {noClass, noSet}) {
        for (const PortRecord& record : Discover(machine))
            EXPECT_TRUE(record.m_strName.empty());
    }
}

std::u16string PrinterPortName(int number)
{
    const std::string digits = std::to_string(number);
    return u"Printer Port (LPT" + std::u16string(digits.begin(), digits.end()) + u")";
}

TEST(PortDiscovery, DevicesBeyondTheTenthHaveNoRecord)
{
    std::vector<PortMachineDevice> devices;
    for (int n = 1; n <= 12; ++n)
        devices.push_back(DescribedPort(PrinterPortName(n), 0x200 + 0x10 * n));
    const PortTable table = Discover(DescribedMachine(devices));
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].m_strName, PrinterPortName(static_cast<int>(i) + 1));
}

} // namespace
} // namespace pemrix
