#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/ports/AdapterRegistry.h"
#include "adapter/ports/ft232h/Ft232hAdapter.h"
#include "adapter/ports/usb/UsbAdapterDirectory.h"
#include "adapter/ports/usb/UsbErrorStatus.h"
#include "adapter/ports/ch347/Ch347Protocol.h"
#include "adapter/ports/usb/UsbSimulatedMachine.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pemrix {
namespace {

enum class Plug
{
    Ch341a,
    Ch347t,
    Ch347f,
    Ft232h,
    Ft2232h,
    Ft2232hB,
    Ft4232h,
    Ft4232hB,
};

// Each plug's family, product and channel.
struct PlugRow
{
    const char* family;
    std::uint16_t product;
    int channel;
};
constexpr PlugRow kPlugRows[] = {
    {"CH341A", 0x5512, 0},  {"CH347", 0x55DB, 0},   {"CH347", 0x55DE, 0},   {"FT232H", 0x6014, 0},
    {"FT2232H", 0x6010, 0}, {"FT2232H", 0x6010, 1}, {"FT4232H", 0x6011, 0}, {"FT4232H", 0x6011, 1},
};
const PlugRow& RowOf(Plug plug)
{
    return kPlugRows[static_cast<int>(plug)];
}

// The CH347's slowest clock is too fast for the slowest parts: it is tried with 4.5 V parts.
PartClass ClassFor(Plug plug)
{
    return plug == Plug::Ch347t || plug == Plug::Ch347f ? PartClass::From4V5 : PartClass::Any;
}

const UsbDeviceEntry kFirstPlace{0x1A86, 0x5512, 1, 7, {4}};

UsbDeviceEntry EntryFor(Plug plug)
{
    UsbDeviceEntry entry = kFirstPlace;
    if (plug != Plug::Ch341a && plug != Plug::Ch347t && plug != Plug::Ch347f)
        entry.vendor = 0x0403;
    entry.product = RowOf(plug).product;
    return entry;
}

// The built-in driver over one simulated USB adapter, everything on one virtual clock.
class UsbAdapterTest : public ::testing::Test
{
protected:
    TemporaryFolder m_folder;
    std::shared_ptr<VirtualBusClock> m_clock = std::make_shared<VirtualBusClock>();
    std::shared_ptr<UsbSimulatedMachine> m_machine;
    BuiltInDriver m_driver{nullptr};

    void SetUp() override { NewMachine(); }

    // A machine with nothing plugged in and a fresh driver on it, timed for `partClass`.
    void NewMachine(PartClass partClass = PartClass::Any)
    {
        m_machine = std::make_shared<UsbSimulatedMachine>(*m_clock);
        m_driver = BuiltInDriver(std::make_shared<BuiltInPortConnector>(
            std::make_shared<VirtualAdapter>(m_folder.Path() / "chips", BusTiming{}),
            ParportDirectory(m_folder.Path() / "proc", "/dev"), PpdevSetup{},
            UsbSetup{m_machine, m_machine->FtdiFactory(), m_clock, BusTimingFor(partClass)}));
    }

    UsbSimulatedDevice& PlugIn(Plug plug, EepromType type, UsbDeviceEntry entry)
    {
        const MicrowireGeometry chip = *FindMicrowireGeometry(type);
        if (plug == Plug::Ch341a)
            return m_machine->PlugCh341a(std::move(entry), chip);
        if (plug == Plug::Ch347t || plug == Plug::Ch347f)
            return m_machine->PlugCh347(std::move(entry), chip);
        return m_machine->PlugFt232h(std::move(entry), chip, RowOf(plug).channel);
    }
    UsbSimulatedDevice& PlugIn(Plug plug, EepromType type)
    {
        return PlugIn(plug, type, EntryFor(plug));
    }

    static std::uint32_t Address(Plug plug)
    {
        const UsbDeviceEntry entry = EntryFor(plug);
        return PortValue(UsbAdapterPortId(RowOf(plug).family, entry, RowOf(plug).channel));
    }
    static std::vector<std::uint32_t> Pattern(std::uint32_t words)
    {
        std::vector<std::uint32_t> pattern(words);
        for (std::uint32_t i = 0; i < words; ++i)
            pattern[i] = (i * 0x9E37u + 0x1234u) & 0xFFFF;
        return pattern;
    }
};

// In every part class, each with a chip held to that class's figures: the slowest and the
// fastest for each adapter, and for the CH347, which refuses the slowest, the slowest it clocks.
TEST_F(UsbAdapterTest, EveryCommandOnEveryTypeThroughEveryAdapter)
{
    for (const PartClassInfo& classInfo : PartClasses()) {
        const PartClass partClass = classInfo.partClass;
        for (const Plug plug : {Plug::Ch341a, Plug::Ch347t, Plug::Ch347f, Plug::Ft232h,
                                Plug::Ft2232h, Plug::Ft2232hB, Plug::Ft4232h, Plug::Ft4232hB}) {
            for (const EepromTypeInfo& type : EepromTypes()) {
                SCOPED_TRACE(std::string(classInfo.name) + " " +
                             std::to_string(static_cast<int>(plug)) + " " + std::string(type.name));
                NewMachine(partClass);
                UsbSimulatedDevice& device = PlugIn(plug, type.code);
                device.SocketPartOf(partClass);
                const std::uint32_t port = Address(plug);
                const std::uint32_t last = type.words - 1;
                if (partClass == PartClass::Any && RowOf(plug).family == std::string("CH347")) {
                    // Its slowest clock is too fast for these parts: refused, the chip untouched.
                    const WordCommandResult refused = WriteWord(m_driver, port, type.code, last, 0);
                    EXPECT_EQ(refused.errorCode, 28u);
                    EXPECT_EQ(ReadAll(m_driver, port, type.code).errorCode, 28u);
                    EXPECT_EQ(device.Counters().outTransfers, 0u);
                    EXPECT_EQ(m_machine->OpenHandles(), 0u);
                    continue;
                }

                EXPECT_TRUE(WriteWord(m_driver, port, type.code, last, 0xC0DE).succeeded);
                EXPECT_EQ(device.Chip().Words()[last], 0xC0DE);
                const WordCommandResult read = ReadWord(m_driver, port, type.code, last);
                EXPECT_TRUE(read.succeeded);
                EXPECT_EQ(read.dialogData, 0xC0DEu);
                EXPECT_TRUE(EraseWord(m_driver, port, type.code, last).succeeded);
                EXPECT_EQ(device.Chip().Words()[last], 0xFFFF);
                EXPECT_TRUE(Wral(m_driver, port, type.code, 0x5AA5).succeeded);
                EXPECT_EQ(device.Chip().Words()[0], 0x5AA5);
                EXPECT_TRUE(Eral(m_driver, port, type.code).succeeded);
                EXPECT_EQ(device.Chip().Words()[last], 0xFFFF);
                const std::vector<std::uint32_t> pattern = Pattern(type.words);
                EXPECT_TRUE(WriteAll(m_driver, port, type.code, pattern).succeeded);
                const ImageCommandResult image = ReadAll(m_driver, port, type.code);
                EXPECT_TRUE(image.succeeded);
                EXPECT_EQ(image.words, pattern);

                EXPECT_EQ(m_machine->OpenHandles(), 0u);
                EXPECT_FALSE(device.Claimed());
                EXPECT_FALSE(device.Chip().WriteEnabled());
                EXPECT_EQ(device.TimingViolations(), std::vector<std::string>());
                if (auto* bulk = dynamic_cast<UsbBulkSimulation*>(&device)) {
                    EXPECT_EQ(bulk->MalformedCommands(), 0u);
                }
                if (auto* ch347 = dynamic_cast<Ch347Simulation*>(&device)) {
                    EXPECT_EQ(ch347->MisconfiguredExchanges(), 0u);
                }
                if (auto* ft232h = dynamic_cast<Ft232hSimulation*>(&device)) {
                    EXPECT_EQ(ft232h->UnknownCommands(), 0u);
                }
            }
        }
    }
}

// The chip is held to its own class: a bus timed for 4.5 V parts breaks the slowest parts'
// figures, and their checker says so.
TEST_F(UsbAdapterTest, ABusTimedForAFasterClassBreaksTheSlowestPartsFigures)
{
    NewMachine(PartClass::From4V5);
    UsbSimulatedDevice& device = PlugIn(Plug::Ft232h, EepromType{1});
    ReadWord(m_driver, Address(Plug::Ft232h), EepromType{1}, 0);
    EXPECT_FALSE(device.TimingViolations().empty());
}

// Each fault gives its status on the command's first request, and nothing reads as success.
TEST_F(UsbAdapterTest, EachFaultHasItsStatus)
{
    struct Case
    {
        const char* what;
        Plug plug;
        std::function<void(UsbSimulatedMachine&, UsbSimulatedDevice&)> fault;
        std::uint32_t errorCode;
    };
    const auto faults = [](auto change) {
        return
            [change](UsbSimulatedMachine&, UsbSimulatedDevice& device) { change(device.Faults()); };
    };
    const Case cases[] = {
        {"unplugged", Plug::Ch341a, [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.Unplug(); },
         15},
        {"ft unplugged", Plug::Ft232h,
         [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.Unplug(); }, 15},
        {"no access", Plug::Ch341a,
         faults([](UsbDeviceFaults& f) { f.openError = kUsbErrorAccess; }), 17},
        {"ft no access", Plug::Ft232h,
         faults([](UsbDeviceFaults& f) { f.openError = kUsbErrorAccess; }), 17},
        {"claimed", Plug::Ch341a,
         [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.SetClaimed(true); }, 18},
        {"ft claimed", Plug::Ft232h,
         [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.SetClaimed(true); }, 18},
        {"driver stays bound", Plug::Ch341a, faults([](UsbDeviceFaults& f) {
             f.kernelDriverBound = true;
             f.detachError = kUsbErrorBusy;
         }),
         18},
        {"driver detached", Plug::Ch341a,
         faults([](UsbDeviceFaults& f) { f.kernelDriverBound = true; }), 0},
        {"short reply", Plug::Ch341a, faults([](UsbDeviceFaults& f) { f.shortReplyAt = 1; }), 19},
        {"ft short reply", Plug::Ft232h, faults([](UsbDeviceFaults& f) { f.shortReplyAt = 2; }),
         19},
        {"stall", Plug::Ch341a, faults([](UsbDeviceFaults& f) { f.stallAt = 2; }), 19},
        {"ft stall", Plug::Ft232h, faults([](UsbDeviceFaults& f) { f.stallAt = 3; }), 19},
        {"ch347 unplugged", Plug::Ch347t,
         [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.Unplug(); }, 15},
        {"ch347 no access", Plug::Ch347f,
         faults([](UsbDeviceFaults& f) { f.openError = kUsbErrorAccess; }), 17},
        {"ch347 claimed", Plug::Ch347t,
         [](UsbSimulatedMachine&, UsbSimulatedDevice& d) { d.SetClaimed(true); }, 18},
        {"ch347 driver stays bound", Plug::Ch347f, faults([](UsbDeviceFaults& f) {
             f.kernelDriverBound = true;
             f.detachError = kUsbErrorBusy;
         }),
         18},
        {"ch347 short configuration", Plug::Ch347t,
         faults([](UsbDeviceFaults& f) { f.shortReplyAt = 1; }), 19},
        {"ch347 short reply", Plug::Ch347t, faults([](UsbDeviceFaults& f) { f.shortReplyAt = 4; }),
         19},
        {"ch347 stall", Plug::Ch347f, faults([](UsbDeviceFaults& f) { f.stallAt = 4; }), 19},
        {"uart mode", Plug::Ch341a,
         [](UsbSimulatedMachine& m, UsbSimulatedDevice& d) {
             d.Unplug();
             UsbDeviceEntry uart = kFirstPlace;
             uart.product = 0x5523;
             m.PlugOther(uart);
         },
         20},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        NewMachine(ClassFor(test.plug));
        UsbSimulatedDevice& device = PlugIn(test.plug, EepromType{6});
        device.SocketPartOf(ClassFor(test.plug));
        test.fault(*m_machine, device);
        const WordCommandResult read = ReadWord(m_driver, Address(test.plug), EepromType{6}, 5);
        EXPECT_EQ(read.succeeded, test.errorCode == 0);
        EXPECT_EQ(read.errorCode, test.errorCode);
        EXPECT_EQ(m_machine->OpenHandles(), 0u);
        EXPECT_EQ(device.TimingViolations(), std::vector<std::string>());
    }
}

// A transfer that fails halfway through WriteAll fails the command with its status; every word
// holds either its old value or the image's, the words not yet reached their old ones, and the
// chip ends write-protected: by an EWDS where the adapter still carries one (a stalled
// endpoint once the port has cleared it), by losing its power where it was pulled out.
TEST_F(UsbAdapterTest, TransferFailingInTheMiddleOfWriteAllLosesNothingElse)
{
    struct Case
    {
        const char* what;
        std::optional<std::uint64_t> UsbDeviceFaults::*fault;
        // The transfer that fails on the CH341A, the FT232H and the CH347: well past the read
        // of the chip that WriteAll starts with, well before its end.
        std::uint64_t at[3];
        std::uint32_t errorCode;
    };
    const Case cases[] = {
        {"unplugged", &UsbDeviceFaults::unplugAt, {40, 40, 1200}, 15},
        {"short reply", &UsbDeviceFaults::shortReplyAt, {500, 40, 300}, 19},
        {"stall", &UsbDeviceFaults::stallAt, {40, 40, 1200}, 19},
        {"three time-outs in a row", &UsbDeviceFaults::timeoutsAt, {500, 40, 300}, 19},
    };
    for (const Plug plug : {Plug::Ch341a, Plug::Ft232h, Plug::Ch347t}) {
        for (const Case& test : cases) {
            SCOPED_TRACE(std::to_string(static_cast<int>(plug)) + " " + test.what);
            NewMachine(ClassFor(plug));
            UsbSimulatedDevice& device = PlugIn(plug, EepromType{1});
            device.SocketPartOf(ClassFor(plug));
            device.Faults().*test.fault = test.at[plug == Plug::Ch341a   ? 0
                                                  : plug == Plug::Ft232h ? 1
                                                                         : 2];
            const std::vector<std::uint32_t> pattern = Pattern(64);
            const DriverResult result = WriteAll(m_driver, Address(plug), EepromType{1}, pattern);
            EXPECT_FALSE(result.succeeded);
            EXPECT_EQ(result.errorCode, test.errorCode);
            EXPECT_EQ(device.Plugged(), test.fault != &UsbDeviceFaults::unplugAt);
            const std::span<const std::uint16_t> words = device.Chip().Words();
            std::uint32_t written = 0;
            for (std::uint32_t i = 0; i < 64; ++i) {
                EXPECT_TRUE(words[i] == 0xFFFF || words[i] == pattern[i]) << i;
                written += words[i] == pattern[i] ? 1 : 0;
            }
            EXPECT_GT(written, 0u);
            EXPECT_EQ(words[63], 0xFFFF);
            EXPECT_FALSE(device.Chip().WriteEnabled());
            EXPECT_EQ(device.TimingViolations(), std::vector<std::string>());
            EXPECT_EQ(m_machine->OpenHandles(), 0u);
        }
    }
}

// The ready polls go out in rounds sized by the cycle before: a chip slower than any round
// learnt so far is still waited for, and one that never gets ready fails as busy once the
// word's timeout has passed, not before and not long after.
TEST_F(UsbAdapterTest, ReadyPollRoundsFollowTheChipsCycle)
{
    for (const Plug plug : {Plug::Ch341a, Plug::Ft232h}) {
        SCOPED_TRACE(static_cast<int>(plug));
        NewMachine();
        UsbSimulatedDevice& device = PlugIn(plug, EepromType{1});
        device.SetLatency(std::chrono::microseconds(plug == Plug::Ch341a ? 1000 : 125));
        EXPECT_TRUE(WriteWord(m_driver, Address(plug), EepromType{1}, 1, 0x1111).succeeded);
        device.Chip().SetFaults({.cycle = std::chrono::microseconds(7300)});
        const std::vector<std::uint32_t> pattern = Pattern(64);
        EXPECT_TRUE(WriteAll(m_driver, Address(plug), EepromType{1}, pattern).succeeded);
        EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), device.Chip().Words().begin()));

        device.Chip().SetFaults({.neverReady = true});
        const auto start = m_clock->Now();
        const WordCommandResult busy = WriteWord(m_driver, Address(plug), EepromType{1}, 2, 0);
        const auto taken = m_clock->Now() - start;
        EXPECT_EQ(busy.errorCode, 6u);
        // The write's timeout, then the whole-chip one each time the handle waits for the chip
        // before an EWDS (after the failed write and on the command's own EWDS).
        EXPECT_GE(taken, BusTiming{}.wordProgramTimeout + 2 * BusTiming{}.chipProgramTimeout);
        EXPECT_LT(taken, BusTiming{}.wordProgramTimeout + 2 * BusTiming{}.chipProgramTimeout +
                             std::chrono::milliseconds(20));
        EXPECT_EQ(device.TimingViolations(), std::vector<std::string>());
    }
}

TEST_F(UsbAdapterTest, AddressesFollowTheUsbPortNotTheBusAddress)
{
    UsbDeviceEntry replugged = kFirstPlace;
    replugged.address = 12;
    UsbDeviceEntry uart = replugged;
    uart.product = 0x5523;
    UsbDeviceEntry hub = kFirstPlace;
    hub.ports = {4, 2};
    UsbDeviceEntry otherBus = kFirstPlace;
    otherBus.bus = 2;
    const PortId id = UsbAdapterPortId("CH341A", kFirstPlace);
    EXPECT_EQ(PortIdFromValue(PortValue(id)), id);
    EXPECT_GT(PortValue(id), 0xFFFFu);
    EXPECT_EQ(PortIdFromValue(kVirtualAdapterBase), kVirtualPortId);
    EXPECT_EQ(UsbAdapterPortId("CH341A", replugged), id);
    EXPECT_NE(UsbAdapterPortId("CH341A", hub), id);
    EXPECT_NE(UsbAdapterPortId("CH341A", otherBus), id);
    EXPECT_NE(UsbAdapterPortId("FT232H", kFirstPlace), id);
    EXPECT_NE(UsbAdapterPortId("FT2232H", kFirstPlace, 1),
              UsbAdapterPortId("FT2232H", kFirstPlace));

    m_machine->PlugOther({0x046D, 0xC077, 1, 3, {1}});
    m_machine->PlugOther(uart);
    UsbDeviceEntry channelA = EntryFor(Plug::Ft2232h);
    channelA.ports = {4, 2};
    PlugIn(Plug::Ft2232h, EepromType{1}, channelA);
    UsbDeviceEntry ch347f = EntryFor(Plug::Ch347f);
    ch347f.bus = 2;
    ch347f.ports = {3};
    PlugIn(Plug::Ch347f, EepromType{1}, ch347f);
    std::vector<std::string> names;
    for (const AdapterPlace& plug : PluggedUsbAdapters(*m_machine, AdapterKinds())) {
        names.push_back(plug.name);
        EXPECT_EQ(plug.id, UsbAdapterPortId(plug.kind->family, plug.device, plug.model->channel));
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"CH341A USB adapter in UART mode (bus 1, port 4)",
                                        "CH347F USB adapter (bus 2, port 3)",
                                        "FT2232H USB adapter, channel A (bus 1, port 4.2)",
                                        "FT2232H USB adapter, channel B (bus 1, port 4.2)"}));
}

// The two channels of one chip are two adapters: a command on one leaves the other's chip alone.
TEST_F(UsbAdapterTest, ChannelsOfOneChipAreAdaptersOfTheirOwn)
{
    for (const auto& [a, b] :
         {std::pair{Plug::Ft2232h, Plug::Ft2232hB}, std::pair{Plug::Ft4232h, Plug::Ft4232hB}}) {
        NewMachine();
        UsbSimulatedDevice& channelA = PlugIn(a, EepromType{1});
        UsbSimulatedDevice& channelB = PlugIn(b, EepromType{1});
        EXPECT_TRUE(WriteWord(m_driver, Address(b), EepromType{1}, 3, 0xB0B0).succeeded);
        EXPECT_TRUE(WriteWord(m_driver, Address(a), EepromType{1}, 3, 0xA0A0).succeeded);
        EXPECT_EQ(channelB.Chip().Words()[3], 0xB0B0);
        EXPECT_EQ(channelA.Chip().Words()[3], 0xA0A0);
        EXPECT_EQ(m_machine->Devices().size(), 1u);
    }
}

// The codes each library documents for the calls the adapters make, read by their meaning:
// libusb-1.0's errors for the CH341A's calls and the FT232H's halt, libftdi 1.5's own codes
// for opening an FT232H.
TEST(UsbErrorMapping, EachLibraryCodeReadsAsItsDocumentedMeaning)
{
    struct Case
    {
        const char* documented;
        AdapterStatus (*mapping)(int);
        int code;
        AdapterStatus status;
    };
    const Case cases[] = {
        {"libusb LIBUSB_ERROR_IO", UsbErrorStatus, -1, AdapterStatus::UsbTransferFailed},
        {"libusb LIBUSB_ERROR_ACCESS", UsbErrorStatus, -3, AdapterStatus::UsbNotPermitted},
        {"libusb LIBUSB_ERROR_NO_DEVICE", UsbErrorStatus, -4, AdapterStatus::UsbNotPluggedIn},
        {"libusb LIBUSB_ERROR_NOT_FOUND", UsbErrorStatus, -5, AdapterStatus::UsbNotPluggedIn},
        {"libusb LIBUSB_ERROR_BUSY", UsbErrorStatus, -6, AdapterStatus::UsbClaimed},
        {"libusb LIBUSB_ERROR_TIMEOUT", UsbErrorStatus, -7, AdapterStatus::UsbTransferFailed},
        {"libusb LIBUSB_ERROR_PIPE", UsbErrorStatus, -9, AdapterStatus::UsbTransferFailed},
        {"ftdi_usb_open_bus_addr: device not found", FtdiOpenStatus, -3,
         AdapterStatus::UsbNotPluggedIn},
        {"ftdi_usb_open_bus_addr: unable to open device", FtdiOpenStatus, -4,
         AdapterStatus::UsbNotPermitted},
        {"ftdi_usb_open_bus_addr: unable to claim device", FtdiOpenStatus, -5,
         AdapterStatus::UsbClaimed},
        {"ftdi_usb_open_bus_addr: libusb_get_device_list() failed", FtdiOpenStatus, -12,
         AdapterStatus::UsbTransferFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.documented);
        EXPECT_EQ(c.mapping(c.code), c.status);
    }
}

} // namespace
} // namespace pemrix

namespace pemrix {
namespace {

// The CH347 takes the fastest of its clocks that keeps the bus's half period, a lengthened
// one too, and none where even 468.75 kHz is too fast.
TEST(Ch347Clock, FastestThatKeepsTheHalfPeriod)
{
    struct Case
    {
        PartClass partClass;
        std::chrono::nanoseconds lengthenedTo;
        std::optional<unsigned> index;
    };
    const Case cases[] = {
        {PartClass::From4V5, {}, 5u},
        {PartClass::From2V5, {}, 6u},
        {PartClass::Any, {}, std::nullopt},
        {PartClass::From4V5, std::chrono::nanoseconds(1066), 7u},
        {PartClass::From4V5, std::chrono::nanoseconds(1067), std::nullopt},
    };
    for (const Case& test : cases) {
        BusTiming timing = BusTimingFor(test.partClass);
        timing.halfPeriod = std::max(timing.halfPeriod, test.lengthenedTo);
        EXPECT_EQ(ch347::ClockIndexFor(timing), test.index) << timing.halfPeriod.count();
    }
}

} // namespace
} // namespace pemrix
