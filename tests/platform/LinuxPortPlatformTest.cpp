#include "platform/linux/LinuxPortPlatform.h"

#include "adapter/ports/AdapterWorld.h"
#include "adapter/ports/usb/UsbSimulatedMachine.h"
#include "platform/PlatformProviders.h"

#include "settings/PortComboPlan.h"
#include "settings/PortDiscovery.h"
#include "tests/settings/DescribedComboEntry.h"
#include "tests/settings/DescribedPorts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pemrix {
namespace {

// A stand-in for /proc/sys/dev/parport in a temporary folder.
class LinuxPortPlatformTest : public ::testing::Test
{
protected:
    std::filesystem::path Root() const { return m_dir.path().toStdString(); }

    void WriteFile(const std::filesystem::path& path, const std::string& text) const
    {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }

    void AddPort(const std::string& folder, const std::string& baseAddr,
                 const std::string& modes = "PCSPP,TRISTATE,COMPAT\n") const
    {
        WriteFile(Root() / folder / "base-addr", baseAddr);
        WriteFile(Root() / folder / "modes", modes);
    }

    PortComboPlan Plan() const { return Plan(Root()); }

    static PortComboPlan Plan(const std::filesystem::path& root, UsbCalls* usb = nullptr)
    {
        AdapterWorld adapters{};
        // Borrowed for the listing only.
        adapters.usb.usb = std::shared_ptr<UsbCalls>(std::shared_ptr<UsbCalls>(), usb);
        const std::unique_ptr<LinuxPortPlatform> platform = MakeLinuxPortPlatform(root, adapters);
        const PortComboPlan plan = PlanPortCombo(DiscoverPorts(*platform), 0);
        EXPECT_EQ(platform->LiveHandleCount(), 0u);
        EXPECT_EQ(platform->BadReleaseCount(), 0u);
        return plan;
    }

    QTemporaryDir m_dir;
};

TEST_F(LinuxPortPlatformTest, MachineWithoutPortsOffersTheVirtualAdapter)
{
    for (const std::filesystem::path& root : {Root(), Root() / "missing"}) {
        const PortComboPlan plan = Plan(root);
        EXPECT_EQ(plan.m_entries,
                  std::vector{ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)});
        EXPECT_EQ(plan.m_nCurrentIndex, 0);
    }
}

TEST_F(LinuxPortPlatformTest, RealPortsAreListedAboveTheVirtualAdapter)
{
    AddPort("parport0", "888\t1912\n", "PCSPP,TRISTATE,COMPAT,EPP,ECP,DMA\n");
    AddPort("parport1", "632\t-1\n");
    const PortComboPlan plan = Plan();
    EXPECT_EQ(plan.m_entries,
              (std::vector{ComboEntry("Printer Port (LPT2) [0278]", 0x278),
                           ComboEntry("ECP Printer Port (LPT1) [0378]", 0x378),
                           ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)}));
    EXPECT_EQ(plan.m_parallelPortWrites, (std::vector<std::uint32_t>{0x93C00, 888, 632}));
    EXPECT_EQ(plan.m_nCurrentIndex, 0);
}

TEST_F(LinuxPortPlatformTest, PortsAreEnumeratedInNumberOrderEachWithEightRegisters)
{
    AddPort("parport10", "1016\n");
    AddPort("parport2", "956\n", "PCSPP, ECP\n");
    AddPort("parportX", "888\n");
    WriteFile(Root() / "default" / "timeslice", "200\n");
    const PortMachine machine = DescribeParportMachine(Root());
    ASSERT_EQ(machine.m_devices.size(), 2u);
    EXPECT_EQ(machine.m_devices[0].m_strFriendlyName, u"ECP Printer Port (LPT3)");
    EXPECT_EQ(machine.m_devices[1].m_strFriendlyName, u"Printer Port (LPT11)");
    const PortMachineConfig& config = machine.m_devices[1].m_configs.at(0);
    EXPECT_EQ(config.m_kind, PortConfigKind::Allocated);
    ASSERT_EQ(config.m_resources.size(), 1u);
    EXPECT_EQ(config.m_resources[0].m_type, PortResourceType::Io);
    EXPECT_EQ(config.m_resources[0].m_nBase, 1016u);
    EXPECT_EQ(config.m_resources[0].m_nEnd, 1023u);
}

TEST_F(LinuxPortPlatformTest, PortWithoutReadableBaseIsNotOffered)
{
    const struct
    {
        const char* folder;
        const char* baseAddr;
    } broken[] = {
        {"parport0", ""}, {"parport1", "none\n"}, {"parport2", "99999999999999999999999\n"}};
    for (const auto& port : broken)
        AddPort(port.folder, port.baseAddr);
    std::filesystem::create_directories(Root() / "parport3");
    EXPECT_EQ(DescribeParportMachine(Root()).m_devices.size(), 4u);
    EXPECT_EQ(Plan().m_entries,
              std::vector{ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)});
}

// The addresses are pinned: they are stored in the profile, so a later version must find the
// same adapter at the same address.
TEST_F(LinuxPortPlatformTest, UsbAdaptersAreListedBetweenTheParallelPortsAndTheVirtualAdapter)
{
    AddPort("parport0", "888\n");
    VirtualBusClock clock;
    UsbSimulatedMachine usb(clock);
    const MicrowireGeometry chip = *FindMicrowireGeometry(1);
    usb.PlugCh341a({0x1A86, 0x5512, 1, 7, {4}}, chip);
    usb.PlugOther({0x046D, 0xC077, 1, 3, {1}});
    usb.PlugFt232h({0x0403, 0x6014, 3, 2, {1, 2}}, chip);
    const PortComboPlan plan = Plan(Root(), &usb);
    EXPECT_EQ(plan.m_entries,
              (std::vector{ComboEntry("Printer Port (LPT1) [0378]", 0x378),
                           ComboEntry("FT232H USB adapter (bus 3, port 1.2) [198803F]", 0x198803F),
                           ComboEntry("CH341A USB adapter (bus 1, port 4) [162CFCF]", 0x162CFCF),
                           ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)}));
}

} // namespace
} // namespace pemrix
