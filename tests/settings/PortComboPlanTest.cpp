#include "settings/PortComboPlan.h"

#include "settings/PortMachinePlatform.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "tests/settings/DescribedComboEntry.h"
#include "tests/settings/DescribedPorts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

namespace pemrix {
namespace {

PortRecord Port(const char* name, const char* address, bool disabled = false, bool absent = false)
{
    return PortRecord{QString::fromLatin1(name).toStdU16String(), address, disabled, absent};
}

TEST(PortComboPlan, OffersPortsTopDownInReverseTableOrder)
{
    const struct
    {
        const char* what;
        std::vector<std::pair<std::size_t, PortRecord>> records;
        std::uint32_t customPort;
        std::vector<PortComboEntry> entries;
        std::vector<std::uint32_t> writes;
        int currentIndex;
        std::vector<PortRecord> adapters = {};
    } cases[] = {
        {"one port behind a serial port",
         {{1, Port("Printer Port (LPT1)", "0378")}},
         0,
         {ComboEntry("Printer Port (LPT1) [0378]", 0x378)},
         {888},
         0},
        {"the later port on top",
         {{0, Port("Printer Port (LPT1)", "0378")}, {1, Port("Printer Port (LPT2)", "0278")}},
         0,
         {ComboEntry("Printer Port (LPT2) [0278]", 0x278),
          ComboEntry("Printer Port (LPT1) [0378]", 0x378)},
         {888, 632},
         0},
        {"gaps in the table",
         {{3, Port("ECP Printer Port (LPT1)", "0378")}, {7, Port("Printer Port (LPT3)", "03BC")}},
         0,
         {ComboEntry("Printer Port (LPT3) [03BC]", 0x3BC),
          ComboEntry("ECP Printer Port (LPT1) [0378]", 0x378)},
         {0x378, 0x3BC},
         0},
        {"disabled",
         {{0, Port("Printer Port (LPT1)", "0378", true)}},
         0,
         {ComboEntry("Printer Port (LPT1) [0378] (DISABLED)", 0x378)},
         {888},
         0},
        {"five digits",
         {{0, Port("Virtual Adapter (LPT Simulator)", "93C00")}},
         0,
         {ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)},
         {0x93C00},
         0},
        {"absent not offered",
         {{0, Port("Printer Port (LPT1)", "0378", false, true)}},
         0,
         {},
         {},
         -1},
        {"no address not offered", {{0, Port("Printer Port (LPT1)", "")}}, 0, {}, {}, -1},
        {"custom port alone", {}, 0x3BC, {ComboEntry("Custom Port: 3bc", 0x3BC)}, {}, -1},
        {"custom port below the ports",
         {{0, Port("Printer Port (LPT1)", "0378")}},
         0x2F8,
         {ComboEntry("Printer Port (LPT1) [0378]", 0x378), ComboEntry("Custom Port: 2f8", 0x2F8)},
         {888},
         0},
        {"nothing at all", {}, 0, {}, {}, -1},
        {"the driver's adapters below the parallel ports, the last listed on top",
         {{0, Port("Printer Port (LPT1)", "0378")}},
         0,
         {ComboEntry("Printer Port (LPT1) [0378]", 0x378),
          ComboEntry("CH341A USB adapter (bus 1, port 4) [162CFCF]", 0x162CFCF),
          ComboEntry("Virtual Adapter (LPT Simulator) [93C00]", 0x93C00)},
         {0x93C00, 0x162CFCF, 888},
         0,
         {Port("Virtual Adapter (LPT Simulator)", "93C00"),
          Port("CH341A USB adapter (bus 1, port 4)", "162CFCF")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortTable table;
        for (const auto& [position, record] : c.records)
            table[position] = record;
        const PortComboPlan plan = PlanPortCombo({c.adapters, table}, c.customPort);
        EXPECT_EQ(plan.m_entries, c.entries);
        EXPECT_EQ(plan.m_parallelPortWrites, c.writes);
        EXPECT_EQ(plan.m_nCurrentIndex, c.currentIndex);
    }
}

TEST(PortComboPlan, CustomEntriesShowTheirValue)
{
    const struct
    {
        QString typed;
        const char* text;
        std::uint32_t address;
    } typed[] = {
        {QStringLiteral("378"), "Custom Port: 378", 0x378},
        {QStringLiteral("3bc"), "Custom Port: 3bc", 0x3BC},
        {QStringLiteral("37G"), "Custom Port: 37G", 0x37},
        {QStringLiteral("FFFF"), "Custom Port: FFFF", 0xFFFF},
        {QStringLiteral("G"), "Custom Port: G", 0},
        {QStringLiteral(" 2f8"), "Custom Port:  2f8", 0x2F8},
    };
    for (const auto& c : typed) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TypedCustomPortEntry(c.typed), ComboEntry(c.text, c.address));
    }
    // Full-width digits look like hex but are not.
    EXPECT_EQ(TypedCustomPortEntry(QString::fromUtf8("\xEF\xBC\x93\xEF\xBC\x97")).m_nAddress, 0u);

    EXPECT_EQ(StoredCustomPortEntry(0x3BC), ComboEntry("Custom Port: 3bc", 0x3BC));
    EXPECT_EQ(StoredCustomPortEntry(0xFFFE), ComboEntry("Custom Port: fffe", 0xFFFE));
    EXPECT_EQ(StoredCustomPortEntry(0x5), ComboEntry("Custom Port: 5", 0x5));
}

class FillPortComboTest : public ::testing::Test
{
protected:
    std::uint32_t StoredPort(std::uint32_t missing = 888) const
    {
        return m_profile.GetProfileInt(profile::kSection, profile::kParallelPort, missing);
    }

    QTemporaryDir m_dir;
    ProfileStore m_profile{m_dir.filePath(QStringLiteral("pemrix.ini"))};
};

TEST_F(FillPortComboTest, SingleDiscoveredPortIsSelectedAndStored)
{
    PortMachinePlatform platform(
        DescribedMachine({DescribedSerialPort(), DescribedPort(u"Printer Port (LPT1)", 0x378)}));
    m_profile.WriteProfileInt(profile::kSection, profile::kParallelPort, 0x2BC);
    const PortComboPlan plan = FillPortCombo(platform, m_profile);
    EXPECT_EQ(plan.m_entries, std::vector{ComboEntry("Printer Port (LPT1) [0378]", 0x378)});
    EXPECT_EQ(plan.m_nCurrentIndex, 0);
    EXPECT_EQ(StoredPort(), 888u);
}

TEST_F(FillPortComboTest, StartUpOverridesTheChoiceOfTheLastRun)
{
    const PortMachine machine = DescribedMachine({DescribedPort(u"Printer Port (LPT1)", 0x378),
                                                  DescribedPort(u"Printer Port (LPT2)", 0x278)});
    PortMachinePlatform firstRun(machine);
    FillPortCombo(firstRun, m_profile);
    EXPECT_EQ(StoredPort(), 632u);
    StoreChosenPort(m_profile, 0x378);
    EXPECT_EQ(StoredPort(), 888u);

    PortMachinePlatform secondRun(machine);
    FillPortCombo(secondRun, m_profile);
    EXPECT_EQ(StoredPort(), 632u);
}

TEST_F(FillPortComboTest, WithoutPortsNothingIsStoredAndTheCustomPortIsOffered)
{
    PortMachinePlatform platform(DescribedMachine({DescribedSerialPort()}));
    EXPECT_EQ(FillPortCombo(platform, m_profile).m_entries, std::vector<PortComboEntry>{});
    EXPECT_EQ(StoredPort(12345), 12345u);

    m_profile.WriteProfileInt(profile::kSection, profile::kCustomPort, 0x3BC);
    const PortComboPlan plan = FillPortCombo(platform, m_profile);
    EXPECT_EQ(plan.m_entries, std::vector{ComboEntry("Custom Port: 3bc", 0x3BC)});
    EXPECT_EQ(plan.m_nCurrentIndex, -1);
    EXPECT_EQ(StoredPort(12345), 12345u);
}

TEST_F(FillPortComboTest, MoreThanTenDevicesOfferTheFirstTen)
{
    std::vector<PortMachineDevice> devices;
    for (int n = 1; n <= 12; ++n)
        devices.push_back(DescribedPort(
            QStringLiteral("Printer Port (LPT%1)").arg(n).toStdU16String(), 0x1000 * n));
    PortMachinePlatform platform(DescribedMachine(devices));
    const PortComboPlan plan = FillPortCombo(platform, m_profile);
    ASSERT_EQ(plan.m_entries.size(), kPortTableSize);
    EXPECT_EQ(plan.m_entries.front(), ComboEntry("Printer Port (LPT10) [A000]", 0xA000));
    EXPECT_EQ(plan.m_entries.back(), ComboEntry("Printer Port (LPT1) [1000]", 0x1000));
    EXPECT_EQ(StoredPort(), 0xA000u);
}

} // namespace
} // namespace pemrix
