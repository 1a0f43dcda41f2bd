#include "adapter/DriverSettings.h"

#include "FakeParport.h"
#include "support/TemporaryFolder.h"
#include "adapter/AdapterStatus.h"
#include "adapter/BuiltInDriverFactory.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/ports/ppdev/ParportDirectory.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <string>

namespace pemrix {
namespace {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

// The shortest time SK held a level inside a chip select, and the shortest time CS was low
// between two selects, from the data register writes of an STK200 cable (CS D7, SK D4).
std::pair<nanoseconds, nanoseconds> ShortestPhases(const FakeParport& port)
{
    nanoseconds clockPhase = nanoseconds::max();
    nanoseconds selectLow = nanoseconds::max();
    nanoseconds clockEdge{0};
    nanoseconds selectFall{-1};
    std::uint8_t previous = 0;
    for (std::size_t i = 0; i < port.dataWrites.size(); ++i) {
        const std::uint8_t data = port.dataWrites[i];
        const nanoseconds time = port.writeTimes[i];
        const bool selected = (data & 0x80) != 0;
        if (selected && !(previous & 0x80)) {
            if (selectFall >= 0ns)
                selectLow = std::min(selectLow, time - selectFall);
            clockEdge = nanoseconds(-1);
        } else if (!selected && (previous & 0x80)) {
            selectFall = time;
        } else if (selected && ((data ^ previous) & 0x10)) {
            if (clockEdge >= 0ns)
                clockPhase = std::min(clockPhase, time - clockEdge);
            clockEdge = time;
        }
        previous = data;
    }
    return {clockPhase, selectLow};
}

template <typename Record>
std::uint32_t SendRecord(DriverLink& driver, DriverHandle handle, std::uint32_t code,
                         const Record& record)
{
    std::vector<std::uint8_t> bytes(Record::kSize);
    EncodeRecord(record, bytes);
    std::uint32_t bytesReturned = 0;
    driver.Control(handle, code, bytes.data(), Record::kSize, Record::kSize, bytesReturned);
    return DecodeRecord<Record>(bytes).status;
}

// A value the driver does not take as written keeps the default, or the nearest value the
// chips allow, and says so in a line for the user.
TEST(DriverSettings, ParsesCableAndHalfPeriodAndSocketAndTellsWhatItDidNotTake)
{
    struct Case
    {
        std::string text;
        std::string_view cable;
        nanoseconds halfPeriod;
        std::vector<std::string> notices;
        EepromType virtualSocket = 0;
        bool dummyBitCheckOnly = false;
        bool rewriteEqualWords = false;
        bool virtualRealTime = false;
        PartClass partClass = PartClass::Any;
    };
    const Case cases[] = {
        {"", "stk200", nanoseconds(2000), {}},
        {"cable=dt006\nhalf_period_ns=5000\n", "dt006", nanoseconds(5000), {}},
        {"  cable = dt006  # the old one\r\n half_period_ns = 2000\r\n",
         "dt006",
         nanoseconds(2000),
         {}},
        {"# cable=dt006\n", "stk200", nanoseconds(2000), {}},
        {"cable=parallel-9000\nhalf_period_ns=fast\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: cable = parallel-9000 is no known cable (stk200, dt006); stk200 is used",
          "driver.conf: half_period_ns = fast is not a number of ns up to 1000000; 2000 is "
          "used"}},
        {"half_period_ns=1999\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: half_period_ns = 1999 is too fast for the part class any; 2000 is used"}},
        {"half_period_ns=1000001\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: half_period_ns = 1000001 is not a number of ns up to 1000000; 2000 is "
          "used"}},
        {"half_period_ns=-5\ncolour=blue\nno equals sign\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: half_period_ns = -5 is not a number of ns up to 1000000; 2000 is used"}},
        {"half_period_ns=1000000", "stk200", nanoseconds(1000000), {}},
        {"virtual_socket = 93c66\n", "stk200", nanoseconds(2000), {}, 4},
        {"virtual_socket=93C99\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: virtual_socket = 93C99 is no chip type (93C46, 93C56, 93C57, 93C66, "
          "93C76, 93C86); each type keeps its own virtual chip"}},
        {"dummy_bit_check_only = true\nrewrite_equal_words=true\n",
         "stk200",
         nanoseconds(2000),
         {},
         0,
         true,
         true},
        {"dummy_bit_check_only=true\ndummy_bit_check_only=yes\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: dummy_bit_check_only = yes is neither true nor false; true is used"},
         0,
         true},
        {"virtual_real_time=true\n", "stk200", nanoseconds(2000), {}, 0, false, false, true},
        // The class sets the floor of the half period, whichever line comes first.
        {"part_class = 4.5v\n",
         "stk200",
         nanoseconds(250),
         {},
         0,
         false,
         false,
         false,
         PartClass::From4V5},
        {"half_period_ns=300\ndummy_bit_check_only=true\npart_class=4.5v\n",
         "stk200",
         nanoseconds(300),
         {},
         0,
         true,
         false,
         false,
         PartClass::From4V5},
        {"part_class=2.5v\nhalf_period_ns=400\n",
         "stk200",
         nanoseconds(500),
         {"driver.conf: half_period_ns = 400 is too fast for the part class 2.5v; 500 is used"},
         0,
         false,
         false,
         false,
         PartClass::From2V5},
        {"part_class=5v\n",
         "stk200",
         nanoseconds(2000),
         {"driver.conf: part_class = 5v is no part class (any, 2.5v, 4.5v); any is used"}},
    };
    TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "driver.conf";
    EXPECT_EQ(LoadDriverSettings(file).cable->name, "stk200");
    for (const Case& c : cases) {
        std::ofstream(file) << c.text;
        const DriverSettings settings = LoadDriverSettings(file);
        EXPECT_EQ(settings.cable->name, c.cable) << c.text;
        EXPECT_EQ(settings.timing.halfPeriod, c.halfPeriod) << c.text;
        EXPECT_EQ(settings.notices, c.notices) << c.text;
        EXPECT_EQ(settings.virtualSocket, c.virtualSocket) << c.text;
        EXPECT_EQ(settings.timing.dummyBitCheckOnly, c.dummyBitCheckOnly) << c.text;
        EXPECT_EQ(settings.timing.rewriteEqualWords, c.rewriteEqualWords) << c.text;
        EXPECT_EQ(settings.virtualRealTime, c.virtualRealTime) << c.text;
        EXPECT_EQ(settings.timing.partClass, c.partClass) << c.text;
    }
}

TEST(ParportDirectory, MatchesTheFirstNumberOfBaseAddrInDecimal)
{
    TemporaryFolder folder;
    const auto entries = folder.Path() / "sys/dev/parport";
    const std::map<std::string, std::string> bases = {
        {"parport0", "888\t1912\n"}, {"parport1", "632\n"}, {"parport2", "0x3bc\n"},
        {"parportx", "956\n"},       {"parport3", ""},
    };
    for (const auto& [name, text] : bases) {
        std::filesystem::create_directories(entries / name);
        std::ofstream(entries / name / "base-addr") << text;
    }
    std::filesystem::create_directories(entries / "default");
    const ParportDirectory directory(folder.Path(), "/dev");
    EXPECT_EQ(directory.DeviceFor(888), std::filesystem::path("/dev/parport0"));
    EXPECT_EQ(directory.DeviceFor(632), std::filesystem::path("/dev/parport1"));
    EXPECT_EQ(directory.DeviceFor(0x3BC), std::nullopt);
    EXPECT_EQ(directory.DeviceFor(956), std::nullopt);
    EXPECT_EQ(directory.DeviceFor(0), std::nullopt);
    EXPECT_EQ(ParportDirectory(folder.Path() / "none", "/dev").DeviceFor(888), std::nullopt);
}

TEST(BuiltInDriverPaths, FollowTheXdgFoldersOrFallBackToHome)
{
    struct Case
    {
        std::map<std::string, std::string> environment;
        std::filesystem::path settings;
        std::filesystem::path chips;
    };
    const Case cases[] = {
        {{{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}},
         "/cfg/pemrix/driver.conf",
         "/data/pemrix"},
        {{{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "relative"}, {"XDG_DATA_HOME", ""}},
         "/home/ann/.config/pemrix/driver.conf",
         "/home/ann/.local/share/pemrix"},
    };
    for (const Case& c : cases) {
        const BuiltInDriverPaths paths = UserBuiltInDriverPaths([&](const char* name) {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(paths.settingsFile, c.settings);
        EXPECT_EQ(paths.virtualChipFolder, c.chips);
        EXPECT_EQ(paths.procRoot, "/proc");
        EXPECT_EQ(paths.devRoot, "/dev");
    }
}

TEST(BuiltInDriverFactory, TheMadeDriverServesTheVirtualAdapterFromItsFolder)
{
    TemporaryFolder folder;
    BuiltInDriverPaths paths{folder.Path() / "driver.conf", folder.Path() / "chips",
                             folder.Path() / "proc", folder.Path() / "dev"};
    const std::unique_ptr<DriverLink> driver = MakeBuiltInDriver(paths);
    const DriverHandle handle = driver->Open(kChipCommandOpenAttributes);
    std::uint8_t port[4] = {0x00, 0x3C, 0x09, 0x00};
    std::uint32_t bytesReturned = 1;
    ASSERT_TRUE(driver->Control(handle, REQ_SET_PORT, port, 4, 0, bytesReturned));
    std::uint8_t write[WordRecord::kSize] = {};
    EncodeRecord(WordRecord{6, 1023, 0x0BAD}, write);
    std::uint8_t enable[4] = {6, 0, 0, 0};
    driver->Control(handle, REQ_WRITE_ENABLE, enable, 4, 0, bytesReturned);
    ASSERT_TRUE(driver->Control(handle, REQ_WRITE, write, 20, 20, bytesReturned));
    EXPECT_EQ(DecodeRecord<WordRecord>(write).status, 0u);
    driver->Close(handle);
    EXPECT_EQ(std::filesystem::file_size(folder.Path() / "chips" / "virtual-93C86.bin"), 2048u);
}

// The half period from driver.conf, raised where it is faster than the slowest chips allow,
// is what clocks the chip on a parallel port; CS stays low for those chips' 1 us between
// instructions.
TEST(BuiltInDriverFactory, TheHalfPeriodOfDriverConfPacesTheParallelPort)
{
    struct Case
    {
        std::string text;
        nanoseconds halfPeriod;
        std::size_t notices;
    };
    const Case cases[] = {
        {"", 2000ns, 0},
        {"half_period_ns=5000\n", 5000ns, 0},
        {"half_period_ns=500\n", 2000ns, 1},
        // An adapter kind's own key, read by its registry row, is noticed as well.
        {"half_period_ns=500\ngpio_lines=1,2\n", 2000ns, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TemporaryFolder folder;
        const auto entry = folder.Path() / "proc/sys/dev/parport/parport0";
        std::filesystem::create_directories(entry);
        std::ofstream(entry / "base-addr") << "888\t1912\n";
        std::ofstream(folder.Path() / "driver.conf") << c.text;
        auto clock = std::make_shared<VirtualBusClock>();
        auto port = std::make_shared<FakeParport>();
        port->clock = clock.get();
        MicrowireChip chip(*FindMicrowireGeometry(1), *clock);
        port->Plug(*FindCableProfile("stk200"), &chip);
        std::vector<std::string> notices;
        const std::unique_ptr<DriverLink> driver =
            MakeBuiltInDriver({folder.Path() / "driver.conf", folder.Path() / "chips",
                               folder.Path() / "proc", folder.Path() / "dev"},
                              {port, nullptr, {}, clock}, &notices);
        EXPECT_EQ(notices.size(), c.notices);

        const DriverHandle handle = driver->Open(kChipCommandOpenAttributes);
        std::uint32_t bytesReturned = 0;
        for (const auto& [code, value] :
             {std::pair{REQ_SET_PORT, 888u}, std::pair{REQ_WRITE_ENABLE, 1u}}) {
            std::uint8_t bytes[ValueRequest::kSize];
            EncodeRecord(ValueRequest{value}, bytes);
            driver->Control(handle, code, bytes, ValueRequest::kSize, 0, bytesReturned);
        }
        EXPECT_EQ(SendRecord(*driver, handle, REQ_WRITE, WordRecord{1, 5, 0x1234}), 0u);
        EXPECT_EQ(SendRecord(*driver, handle, REQ_READ, WordRecord{1, 5}), 0u);
        EXPECT_EQ(chip.Words()[5], 0x1234);
        const auto [clockPhase, selectLow] = ShortestPhases(*port);
        EXPECT_GE(clockPhase, c.halfPeriod);
        EXPECT_GE(selectLow, 1us);
    }
}

TEST(AdapterStatus, EveryRowHasItsOwnCodeAndWordsForTheHelpPage)
{
    // Codes the program shows for its own steps, raw or as a verification's status x 16.
    const std::uint32_t programCodes[] = {0x8000, 0x4000, 0x2000, 0x1000, 0x0800, 0x0400,
                                          0x0200, 0x0100, 0x0080, 0x0040, 0x0008, 0x0004};
    std::set<std::uint32_t> seen;
    for (const AdapterStatusInfo& info : AdapterStatuses()) {
        const std::uint32_t code = StatusCode(info.status);
        SCOPED_TRACE(code);
        EXPECT_TRUE(seen.insert(code).second);
        EXPECT_GT(code, 0u);
        EXPECT_LT(code << 4, 0x10000u);
        for (std::uint32_t programCode : programCodes) {
            EXPECT_NE(code, programCode);
            EXPECT_NE(code << 4, programCode);
        }
        EXPECT_FALSE(info.name.empty());
        EXPECT_FALSE(info.meaning.empty());
        EXPECT_FALSE(info.remedy.empty());
        EXPECT_EQ(FindAdapterStatus(code), &info);
    }
    EXPECT_EQ(FindAdapterStatus(0), nullptr);
    EXPECT_EQ(FindAdapterStatus(4), nullptr);
    // Each cause of an unreachable port has its own remedy.
    const std::pair<AdapterStatus, std::string_view> remedies[] = {
        {AdapterStatus::PortHeld, "rmmod lp"},
        {AdapterStatus::PpdevNotLoaded, "sudo modprobe ppdev"},
        {AdapterStatus::PortNotPermitted, "sudo adduser $USER lp"},
    };
    for (const auto& [status, remedy] : remedies)
        EXPECT_NE(FindAdapterStatus(StatusCode(status))->remedy.find(remedy),
                  std::string_view::npos)
            << remedy;
}

} // namespace
} // namespace pemrix
