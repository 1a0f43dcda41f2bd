// Runs ReadAll (both passes) and WriteAll of every type through the built-in driver over a
// simulated CH341A, CH347 and FT232H and prints the USB transfers and bytes each needs, and the
// time they would take with the given round-trip latency: an estimate, since the simulated devices
// charge one latency per batch of transfers in flight and the chip's own timing for the rest.
// The bus's packet rate bounds the estimate from below as well: the larger of the two counts.
// The yardsticks come from the protocol and the datasheets (ProtocolMinimums.h), not from the
// code measured; every command must also leave the timing-checking chip model without a
// violation, run exactly one programming cycle per differing word and end write-protected.
//
// Every adapter runs in the slowest part class and in the 5 V class, each against its clock;
// an adapter whose slowest clock is faster than a class allows must refuse that class.
// The GPIO adapter has no USB transfers: its estimate is the bus's own waits plus a given cost
// per line call (one ioctl, which differs from board to board).
//
// Usage: usb_benchmark [CH341A latency in us, default 1000]
//                      [high-speed (FT232H, CH347) latency in us, default 125]
//                      [programming cycle in us, default each type's own]
//                      [GPIO line call in ns, default 2000]
// A cycle given applies to every word and whole-chip instruction, for parts whose cycle is no
// whole number of round trips.

#include "ProtocolMinimums.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/chip/ChipTiming.h"
#include "adapter/ports/gpiod/GpioAdapterKind.h"
#include "adapter/ports/gpiod/GpiodAdapter.h"
#include "adapter/ports/gpiod/GpiodSimulation.h"
#include "adapter/ports/usb/UsbAdapterDirectory.h"
#include "adapter/ports/usb/UsbSimulatedMachine.h"
#include "core/EepromTypeInfo.h"
#include "driver/WholeChipCommands.h"

#include <stdlib.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace pemrix {
namespace {

using namespace bench;

constexpr EepromType k93C86 = 6;

struct Target
{
    const char* adapter;
    std::chrono::nanoseconds readAll93C86;
    // The endpoints' packet size, and how many bulk packets of that size the bus carries in a
    // millisecond at most (USB 2.0's bulk transaction limits: 33 of 32 bytes per full-speed
    // frame, 13 of 512 bytes per high-speed microframe).
    std::size_t packetBytes;
    double packetsPerMillisecond;
    std::uint16_t vendor;
    std::uint16_t product;
    // The adapter's slowest clock period; none where it clocks as slowly as needed.
    std::chrono::nanoseconds slowestClock{0};
};

// ReadAll of a 93C86, both passes; peer tools that send one transfer per pin change take
// about 10 s. Where the part class's clock alone takes longer, the clock floor bounds it.
constexpr Target kTargets[] = {
    {"CH341A", std::chrono::seconds(1), 32, 33.0, 0x1A86, 0x5512},
    {"CH347", std::chrono::milliseconds(100), 512, 104.0, 0x1A86, 0x55DB, kCh347SlowestClockPeriod},
    {"FT232H", std::chrono::milliseconds(100), 512, 104.0, 0x0403, 0x6014},
};
// A part class as the benchmark runs it, with the clock its datasheets allow.
struct ClassClock
{
    PartClass partClass;
    std::chrono::nanoseconds period;
    std::string_view source;
};

constexpr ClassClock kClassClocks[] = {
    {PartClass::Any, kSlowestClockPeriod, kSlowestClockSource},
    {PartClass::From4V5, kFiveVoltClockPeriod, kFiveVoltClockSource},
};

// WriteAll of a 93C86 that changes every word, against the datasheet's summed TWC.
constexpr double kWriteAllTarget = 1.2;
// Where the clock alone takes longer than a ReadAll target, the target is the clock's time
// with this much room for the round trips and the learning reads.
constexpr double kClockFloorTarget = 1.05;

struct Figures
{
    UsbDeviceCounters usb;
    std::chrono::nanoseconds estimate{};
    std::chrono::nanoseconds programming{};
    unsigned cycles = 0;
    std::size_t timingViolations = 0;
    bool writeEnabledAfter = false;
    bool succeeded = false;
    std::uint32_t errorCode = 0;
};

// One simulated adapter with one chip, and the built-in driver over it.
class Bench
{
public:
    Bench(const Target& target, const EepromTypeInfo& type, std::chrono::nanoseconds latency,
          std::chrono::nanoseconds cycle, PartClass partClass, const std::filesystem::path& folder)
        : m_machine(std::make_shared<UsbSimulatedMachine>(*m_clock))
    {
        const MicrowireGeometry chip = *FindMicrowireGeometry(type.code, type.organisation);
        const std::string adapter = target.adapter;
        const UsbDeviceEntry entry{target.vendor, target.product, 1, 2, {1}};
        if (adapter == "CH341A")
            m_device = &m_machine->PlugCh341a(entry, chip);
        else if (adapter == "CH347")
            m_device = &m_machine->PlugCh347(entry, chip);
        else
            m_device = &m_machine->PlugFt232h(entry, chip);
        m_device->SetLatency(latency);
        m_device->SocketPartOf(partClass);
        m_device->Chip().SetFaults({.cycle = cycle});
        m_port = PortValue(UsbAdapterPortId(target.adapter, entry));
        m_driver = std::make_unique<BuiltInDriver>(std::make_shared<BuiltInPortConnector>(
            std::make_shared<VirtualAdapter>(folder, BusTiming{}),
            ParportDirectory(folder / "proc", folder / "dev"), PpdevSetup{},
            UsbSetup{m_machine, m_machine->FtdiFactory(), m_clock, BusTimingFor(partClass)}));
    }

    template <typename Command> Figures Measure(Command command)
    {
        const UsbDeviceCounters before = m_device->Counters();
        const auto start = m_clock->Now();
        const auto programmed = m_device->Chip().ProgrammingTime();
        const unsigned cycles = m_device->Chip().ProgrammingCycles();
        const std::size_t violations = m_device->TimingViolations().size();
        Figures figures;
        const DriverResult result = command(*m_driver, m_port);
        figures.succeeded = result.succeeded;
        figures.errorCode = result.errorCode;
        figures.cycles = m_device->Chip().ProgrammingCycles() - cycles;
        figures.timingViolations = m_device->TimingViolations().size() - violations;
        figures.writeEnabledAfter = m_device->Chip().WriteEnabled();
        const UsbDeviceCounters& after = m_device->Counters();
        figures.usb = {after.outTransfers - before.outTransfers,
                       after.inTransfers - before.inTransfers, after.outBytes - before.outBytes,
                       after.inBytes - before.inBytes, after.roundTrips - before.roundTrips};
        figures.estimate = m_clock->Now() - start;
        figures.programming = m_device->Chip().ProgrammingTime() - programmed;
        return figures;
    }

private:
    std::shared_ptr<VirtualBusClock> m_clock = std::make_shared<VirtualBusClock>();
    std::shared_ptr<UsbSimulatedMachine> m_machine;
    UsbSimulatedDevice* m_device = nullptr;
    std::uint32_t m_port = 0;
    std::unique_ptr<BuiltInDriver> m_driver;
};

double Milliseconds(std::chrono::nanoseconds time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

// The estimate splits into the round trips' latency and the bus's own time: its clocks and
// waits. The chip's programming cycles pass during the round trips of its ready polls.
// Every IN transfer is one packet or more; OUT bytes fill whole packets.
std::chrono::nanoseconds PacketFloor(const Figures& figures, const Target& target)
{
    const double packets =
        double(figures.usb.inTransfers) +
        double((figures.usb.outBytes + target.packetBytes - 1) / target.packetBytes);
    return std::chrono::nanoseconds(
        static_cast<long long>(packets / target.packetsPerMillisecond * 1e6));
}

std::chrono::nanoseconds Estimate(const Figures& figures, const Target& target)
{
    return std::max(figures.estimate, PacketFloor(figures, target));
}

void Print(const char* command, const Figures& figures, std::chrono::nanoseconds latency,
           const Target& target)
{
    const auto roundTrips = latency * static_cast<long long>(figures.usb.roundTrips);
    std::printf("  %-8s %s %6llu out %6llu in transfers, %7llu out %6llu in bytes, %5llu round "
                "trips; %6.1f ms round trips + %6.1f ms on the bus, packet floor %6.1f ms: "
                "estimated %7.1f ms",
                command, figures.succeeded ? "ok    " : "FAILED",
                static_cast<unsigned long long>(figures.usb.outTransfers),
                static_cast<unsigned long long>(figures.usb.inTransfers),
                static_cast<unsigned long long>(figures.usb.outBytes),
                static_cast<unsigned long long>(figures.usb.inBytes),
                static_cast<unsigned long long>(figures.usb.roundTrips), Milliseconds(roundTrips),
                Milliseconds(figures.estimate - roundTrips),
                Milliseconds(PacketFloor(figures, target)),
                Milliseconds(Estimate(figures, target)));
}

// Whether the command ran clean: succeeded, no timing violation, `cycles` programming cycles,
// the chip write-protected after it.
bool Clean(const Figures& figures, unsigned cycles)
{
    if (figures.succeeded && figures.timingViolations == 0 && figures.cycles == cycles &&
        !figures.writeEnabledAfter)
        return true;
    std::printf("  MISSED: %s, %zu timing violations, %u programming cycles (not %u)%s\n",
                figures.succeeded ? "succeeded" : "failed", figures.timingViolations,
                figures.cycles, cycles,
                figures.writeEnabledAfter ? ", chip left write-enabled" : "");
    return false;
}

// Prints every type on one adapter; answers whether every command ran clean and the 93C86
// met its targets.
bool RunAdapter(const Target& target, std::chrono::nanoseconds latency,
                std::chrono::nanoseconds cycle, const ClassClock& partClass,
                const std::filesystem::path& folder)
{
    std::printf(
        "%s, part class %s: estimates with %.0f us per round trip, clock half period "
        "%lld ns; clock floor at %lld ns per clock (%s); TWC %lld ms (%s)\n",
        target.adapter, std::string(PartClassOf(partClass.partClass).name).c_str(),
        std::chrono::duration<double, std::micro>(latency).count(),
        static_cast<long long>(BusTimingFor(partClass.partClass).halfPeriod.count()),
        static_cast<long long>(partClass.period.count()), std::string(partClass.source).c_str(),
        static_cast<long long>(kWordProgramTime.count()), std::string(kWordProgramSource).c_str());
    if (target.slowestClock.count() > 0 && target.slowestClock < partClass.period) {
        // Status 28: the adapter cannot go as slowly as the class's parts need.
        Bench bench(target, *FindEepromType(k93C86), latency, cycle, partClass.partClass, folder);
        const Figures readAll = bench.Measure(
            [&](DriverLink& link, std::uint32_t port) { return ReadAll(link, port, k93C86); });
        const bool refused = readAll.errorCode == 28 && readAll.usb.outTransfers == 0;
        std::printf("  its slowest clock, %lld ns, is faster than the class's %lld ns: %s\n",
                    static_cast<long long>(target.slowestClock.count()),
                    static_cast<long long>(partClass.period.count()),
                    refused ? "refused, nothing sent" : "MISSED, not refused");
        return refused;
    }
    bool met = true;
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        const bool bytes = type.organisation == EepromOrganisation::Bytes8;
        const PartFigures& part = (bytes ? kPartsX8 : kParts)[type.code - 1];
        Bench bench(target, type, latency, cycle, partClass.partClass, folder);
        // No cell all ones, so every cell of the erased chip changes.
        std::vector<std::uint32_t> image(part.words);
        for (std::uint32_t i = 0; i < part.words; ++i)
            image[i] = (i * 0x9E37u + 0x1234u) & (bytes ? 0x7F : 0x7FFF);
        const Figures writeAll = bench.Measure([&](DriverLink& link, std::uint32_t port) {
            return WriteAllCells(link, port, type, image);
        });
        const Figures readAll = bench.Measure(
            [&](DriverLink& link, std::uint32_t port) { return ReadAllCells(link, port, type); });

        // Two sequential READ passes at the class's clock.
        const std::uint64_t readClocks = 2 * ReadPassClocks(part, true);
        const std::chrono::nanoseconds clockFloor = partClass.period * readClocks;
        std::printf("%s\n", std::string(part.name).c_str());
        Print("ReadAll", readAll, latency, target);
        std::printf(", %.3f x the clock floor of %.1f ms\n",
                    Milliseconds(Estimate(readAll, target)) / Milliseconds(clockFloor),
                    Milliseconds(clockFloor));
        met = Clean(readAll, 0) && met;

        // Each programmed cell costs at least two round trips, since the bus judges the
        // opening of an instruction before its last bit goes out, plus the chip's own cycle.
        const std::chrono::nanoseconds datasheet = kWordProgramTime * part.words;
        const std::chrono::nanoseconds meanCycle = writeAll.cycles > 0
                                                       ? writeAll.programming / writeAll.cycles
                                                       : std::chrono::nanoseconds(0);
        const std::chrono::nanoseconds roundTripFloor = (2 * latency + meanCycle) * part.words;
        Print("WriteAll", writeAll, latency, target);
        const double writeRatio =
            Milliseconds(Estimate(writeAll, target)) / Milliseconds(datasheet);
        std::printf(", %.3f x the datasheet's %.1f ms of TWC; %.3f x the simulated chip's %.1f ms "
                    "of cycles, whose floor with two round trips a word is %.3f x\n",
                    writeRatio, Milliseconds(datasheet),
                    Milliseconds(Estimate(writeAll, target)) / Milliseconds(writeAll.programming),
                    Milliseconds(writeAll.programming),
                    Milliseconds(roundTripFloor) / Milliseconds(writeAll.programming));
        met = Clean(writeAll, part.words) && met;
        if (type.code == k93C86 && !bytes) {
            std::chrono::nanoseconds readTarget = target.readAll93C86;
            if (clockFloor > readTarget) {
                const auto bounded = std::chrono::duration_cast<std::chrono::nanoseconds>(
                    clockFloor * kClockFloorTarget);
                std::printf("  the %.0f ms ReadAll target lies below the clock alone: 2 x %llu "
                            "clocks x %lld ns = %.1f ms; judged against %.2f x that, %.1f ms\n",
                            Milliseconds(readTarget),
                            static_cast<unsigned long long>(readClocks / 2),
                            static_cast<long long>(partClass.period.count()),
                            Milliseconds(clockFloor), kClockFloorTarget, Milliseconds(bounded));
                readTarget = bounded;
            }
            const bool readMet = Estimate(readAll, target) <= readTarget;
            const bool writeMet = writeRatio <= kWriteAllTarget;
            std::printf("  93C86 targets: ReadAll <= %.1f ms %s, WriteAll <= %.1f x TWC %s\n",
                        Milliseconds(readTarget), readMet ? "met" : "MISSED", kWriteAllTarget,
                        writeMet ? "met" : "MISSED");
            met = met && readMet && writeMet;
        }
    }
    return met;
}

// The GPIO adapter on a Raspberry Pi's header chip: every type's WriteAll and ReadAll, with
// their line calls and estimates against the class's clock floor and the datasheet's TWC.
// Answers whether every command ran clean; a host-clocked bus has no target beyond that.
bool RunGpio(std::chrono::nanoseconds callCost, const ClassClock& partClass,
             const std::filesystem::path& folder)
{
    std::printf("GPIO, part class %s: estimates with %lld ns per line call\n",
                std::string(PartClassOf(partClass.partClass).name).c_str(),
                static_cast<long long>(callCost.count()));
    const GpioChipEntry header{"/dev/gpiochip0", "pinctrl-rp1", 54};
    const std::uint32_t port = PortValue(AdapterPortId(kGpioFamily, header.label));
    bool clean = true;
    for (const EepromTypeInfo& type : EepromTypes()) {
        const PartFigures& part = kParts[type.code - 1];
        const auto clock = std::make_shared<VirtualBusClock>();
        const auto gpio = std::make_shared<GpiodSimulation>(
            *clock, header, GpioWiring{}, *FindMicrowireGeometry(type.code), partClass.partClass);
        gpio->SetCallCost(callCost);
        BuiltInDriver driver(std::make_shared<BuiltInPortConnector>(
            std::make_shared<VirtualAdapter>(folder, BusTiming{}),
            ParportDirectory(folder / "proc", folder / "dev"), PpdevSetup{}, UsbSetup{},
            AdapterSetups{
                {kGpioFamily, GpioSetup{gpio, clock, BusTimingFor(partClass.partClass), {}}}}));
        std::vector<std::uint32_t> image(part.words);
        for (std::uint32_t i = 0; i < part.words; ++i)
            image[i] = (i * 0x9E37u + 0x1234u) & 0x7FFF;
        const auto run = [&](const char* name, auto command, std::chrono::nanoseconds yardstick,
                             const char* yardstickName) {
            const auto start = clock->Now();
            const std::uint64_t calls = gpio->Calls();
            const bool succeeded = command().succeeded;
            const auto estimate = clock->Now() - start;
            std::printf(
                "  %-6s %-8s %s %8llu line calls: estimated %8.1f ms, %.3f x %s of %.1f ms\n",
                std::string(part.name).c_str(), name, succeeded ? "ok    " : "FAILED",
                static_cast<unsigned long long>(gpio->Calls() - calls), Milliseconds(estimate),
                Milliseconds(estimate) / Milliseconds(yardstick), yardstickName,
                Milliseconds(yardstick));
            clean = clean && succeeded && !gpio->Chip().WriteEnabled();
        };
        run(
            "WriteAll", [&] { return WriteAll(driver, port, type.code, image); },
            kWordProgramTime * part.words, "the datasheet's TWC");
        run(
            "ReadAll", [&] { return ReadAll(driver, port, type.code); },
            partClass.period * (2 * ReadPassClocks(part, true)), "the clock floor");
        if (!gpio->Chip().TimingViolations().empty()) {
            std::printf("  MISSED: %zu timing violations\n",
                        gpio->Chip().TimingViolations().size());
            clean = false;
        }
    }
    return clean;
}

std::chrono::nanoseconds LatencyArgument(int argc, char** argv, int index, long fallback)
{
    const long microseconds = argc > index ? std::strtol(argv[index], nullptr, 10) : fallback;
    return std::chrono::microseconds(microseconds > 0 ? microseconds : fallback);
}

} // namespace
} // namespace pemrix

int main(int argc, char** argv)
{
    std::string folder =
        (std::filesystem::temp_directory_path() / "pemrix-usb-benchmark-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    const std::chrono::nanoseconds fullSpeed = pemrix::LatencyArgument(argc, argv, 1, 1000);
    const std::chrono::nanoseconds highSpeed = pemrix::LatencyArgument(argc, argv, 2, 125);
    const std::chrono::nanoseconds cycle =
        argc > 3 ? std::chrono::microseconds(std::max(0L, std::strtol(argv[3], nullptr, 10)))
                 : std::chrono::nanoseconds(0);
    bool met = true;
    for (const pemrix::ClassClock& partClass : pemrix::kClassClocks) {
        for (std::size_t i = 0; i < std::size(pemrix::kTargets); ++i)
            met = pemrix::RunAdapter(pemrix::kTargets[i],
                                     pemrix::kTargets[i].packetBytes > 64 ? highSpeed : fullSpeed,
                                     cycle, partClass, folder) &&
                  met;
        const long gpioCall = argc > 4 ? std::strtol(argv[4], nullptr, 10) : 2000;
        met = pemrix::RunGpio(std::chrono::nanoseconds(gpioCall > 0 ? gpioCall : 2000), partClass,
                              folder) &&
              met;
    }
    std::printf("targets %s\n", met ? "met" : "MISSED");
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return met ? 0 : 1;
}
