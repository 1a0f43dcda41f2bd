// Runs the whole-chip requests through the built-in driver over the virtual adapter, for every
// type in both organisations on a chip with sequential read and on one without, and prints what
// they cost against what the protocol and the datasheets allow (ProtocolMinimums.h). The one
// argument is the cost of one ppdev ioctl in microseconds (1 unless given), for the estimate of a
// real port.

#include "ProtocolMinimums.h"

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/virtual/VirtualAdapter.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <stdlib.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pemrix {
namespace {

using namespace bench;
using std::chrono::nanoseconds;

constexpr double kTarget = 1.05;
// Learning whether the chip has sequential read, in percent of one ReadAll pass.
constexpr double kLearningShare = 1.0;

struct Figures
{
    std::uint64_t clocks = 0;
    std::uint64_t portOperations = 0;
    nanoseconds virtualTime{0};
    // The chip model's own programming cycles, summed.
    nanoseconds programming{0};
    unsigned cycles = 0;
    std::uint32_t status = 0;
    std::size_t timingViolations = 0;
};

double Milliseconds(nanoseconds time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

// A driver over a virtual adapter of its own whose chips all behave as `afterLastDataBit`.
class Bench
{
public:
    Bench(const std::filesystem::path& folder, AfterLastDataBit afterLastDataBit)
        : m_adapter(std::make_shared<VirtualAdapter>(folder, BusTiming{})),
          m_driver(std::make_shared<BuiltInPortConnector>(
              m_adapter, ParportDirectory(folder / "proc", folder / "dev"),
              PpdevSetup{nullptr, nullptr, nullptr, BusTiming{}}))
    {
        for (const EepromTypeInfo& type : AllEepromTypes())
            m_adapter->Chip(type.code, type.organisation).SetAfterLastDataBit(afterLastDataBit);
    }

    VirtualAdapter& Adapter() { return *m_adapter; }

    // What `requests` cost the chip of `type`, on a handle opened for them.
    Figures Measure(const EepromTypeInfo& type,
                    const std::function<std::uint32_t(DriverHandle)>& requests)
    {
        SimulatedLinePort& port = m_adapter->Port(type.code, type.organisation);
        const MicrowireChip& chip = m_adapter->Chip(type.code, type.organisation);
        const DriverHandle handle = m_driver.Open(kChipCommandOpenAttributes);
        SendValue(handle, REQ_SET_PORT, kVirtualAdapterBase);
        port.ResetCounters();
        const nanoseconds start = m_adapter->Clock().Now();
        const unsigned cyclesBefore = chip.ProgrammingCycles();
        const nanoseconds programmingBefore = chip.ProgrammingTime();
        const std::size_t violationsBefore = chip.TimingViolations().size();
        Figures figures;
        figures.status = requests(handle);
        figures.clocks = port.Counters().clocks;
        figures.portOperations = port.Counters().flushes + port.Counters().reads;
        figures.virtualTime = m_adapter->Clock().Now() - start;
        figures.cycles = chip.ProgrammingCycles() - cyclesBefore;
        figures.programming = chip.ProgrammingTime() - programmingBefore;
        figures.timingViolations = chip.TimingViolations().size() - violationsBefore;
        m_driver.Close(handle);
        return figures;
    }

    std::uint32_t ReadAll(DriverHandle handle, const EepromTypeInfo& type)
    {
        if (type.organisation == EepromOrganisation::Bytes8)
            return Send(handle, REQ_READ_ALL_X8, ByteImageRecord{type.code}).status;
        return Send(handle, REQ_READ_ALL, ImageRecord{type.code}).status;
    }

    std::uint32_t WriteAll(DriverHandle handle, const EepromTypeInfo& type,
                           const std::vector<std::uint32_t>& cells)
    {
        if (type.organisation == EepromOrganisation::Bytes8) {
            ByteImageRecord image{type.code};
            std::copy(cells.begin(), cells.end(), image.bytes.begin());
            return Programmed(handle, REQ_WRITE_ENABLE_X8, REQ_WRITE_ALL_X8, REQ_WRITE_DISABLE_X8,
                              image);
        }
        ImageRecord image{type.code};
        std::copy(cells.begin(), cells.end(), image.words.begin());
        return Programmed(handle, REQ_WRITE_ENABLE, REQ_WRITE_ALL, REQ_WRITE_DISABLE, image);
    }

private:
    template <class Record>
    std::uint32_t Programmed(DriverHandle handle, std::uint32_t enable, std::uint32_t code,
                             std::uint32_t disable, const Record& image)
    {
        SendValue(handle, enable, image.type);
        const std::uint32_t status = Send(handle, code, image).status;
        SendValue(handle, disable, image.type);
        return status;
    }

    template <class Record>
    Record Send(DriverHandle handle, std::uint32_t code, const Record& image)
    {
        std::vector<std::uint8_t> bytes(Record::kSize);
        EncodeRecord(image, bytes);
        std::uint32_t bytesReturned = 0;
        m_driver.Control(handle, code, bytes.data(), Record::kSize, Record::kSize, bytesReturned);
        return DecodeRecord<Record>(bytes);
    }

    void SendValue(DriverHandle handle, std::uint32_t code, std::uint32_t value)
    {
        std::uint8_t bytes[ValueRequest::kSize];
        EncodeRecord(ValueRequest{value}, bytes);
        std::uint32_t bytesReturned = 0;
        m_driver.Control(handle, code, bytes, ValueRequest::kSize, 0, bytesReturned);
    }

    std::shared_ptr<VirtualAdapter> m_adapter;
    BuiltInDriver m_driver;
};

// Distinct cells, of the part's cell width.
std::vector<std::uint32_t> Image(const PartFigures& part, std::uint32_t mask)
{
    const std::uint32_t cellMask = (1u << part.cellClocks) - 1;
    std::vector<std::uint32_t> image(part.words);
    for (std::uint32_t i = 0; i < part.words; ++i)
        image[i] = ((i * 0x9E37u + 0x1234u) ^ mask) & cellMask;
    return image;
}

// Prints one figure against its yardstick; false when it misses the target.
bool Line(const char* what, double value, double minimum, const char* unit)
{
    const double ratio = value / minimum;
    const int decimals = std::string_view(unit) == "ms" ? 3 : 0;
    std::printf("    %-38s %12.*f %s, minimum %.*f: %.4f x%s\n", what, decimals, value, unit,
                decimals, minimum, ratio, ratio <= kTarget ? "" : "  MISSED");
    return ratio <= kTarget;
}

bool Clean(const Figures& figures, unsigned cycles)
{
    if (figures.status == 0 && figures.timingViolations == 0 && figures.cycles == cycles)
        return true;
    std::printf("    MISSED: status %u, %zu timing violations, %u programming cycles (not %u)\n",
                figures.status, figures.timingViolations, figures.cycles, cycles);
    return false;
}

// Where the time of a WriteAll that programs every word goes beyond the chip model's own
// cycles: the pre-read (a WriteAll that programs nothing is that and its EWEN and EWDS), the
// WRITE instructions' clocks, and what is left, the ready polling and the chip selects.
void TimeBeyondTheCycles(const Figures& everyWord, const Figures& noWord)
{
    const nanoseconds clock = 2 * BusTiming{}.halfPeriod;
    const nanoseconds instructions = std::int64_t(everyWord.clocks - noWord.clocks) * clock;
    std::printf("    %-38s %12.3f ms, the chip model's cycles %.3f: %.4f x (no target; its "
                "cycles are typical ones)\n",
                "  time against the model's cycles", Milliseconds(everyWord.virtualTime),
                Milliseconds(everyWord.programming),
                double(everyWord.virtualTime.count()) / double(everyWord.programming.count()));
    const std::pair<const char*, nanoseconds> parts[] = {
        {"pre-read, EWEN and EWDS", noWord.virtualTime},
        {"WRITE instructions' clocks", instructions},
        {"ready polling and chip selects",
         everyWord.virtualTime - everyWord.programming - noWord.virtualTime - instructions},
    };
    for (const auto& [what, time] : parts)
        std::printf("        %-36s %10.3f ms, %.2f %% of the cycles\n", what, Milliseconds(time),
                    100 * double(time.count()) / double(everyWord.programming.count()));
}

bool RunPart(Bench& bench, const PartFigures& part, const EepromTypeInfo& type, bool sequential,
             double ioctlMicroseconds)
{
    std::printf("  %s, %u %s\n", std::string(part.name).c_str(), part.words,
                part.cellClocks == kByteClocks ? "bytes" : "words");
    const double pass = double(ReadPassClocks(part, sequential));
    const double write = double(WriteClocks(part));
    const std::vector<std::uint32_t> first = Image(part, 0x0000);
    bench.Measure(type, [&](DriverHandle handle) { return bench.WriteAll(handle, type, first); });

    bool met = true;
    const Figures readAll = bench.Measure(type, [&](DriverHandle handle) {
        const std::uint32_t status = bench.ReadAll(handle, type);
        return status != 0 ? status : bench.ReadAll(handle, type);
    });
    met = Line("ReadAll, the program's two passes", double(readAll.clocks), 2 * pass, "clocks") &&
          Clean(readAll, 0) && met;
    // All the two passes take beyond their minimum is what learning whether the chip has
    // sequential read cost the handle.
    const double learning = double(readAll.clocks) - 2 * pass;
    const double share = 100 * learning / pass;
    std::printf("    %-38s %12.0f clocks, %.2f %% of one pass%s\n", "  learning sequential read",
                learning, share, share < kLearningShare ? "" : "  MISSED");
    met = share < kLearningShare && met;
    std::printf("    %-38s %12.3f ms (%.0f ioctls at %.1f us added to the virtual time)\n",
                "  estimated on a parallel port",
                Milliseconds(readAll.virtualTime) +
                    double(readAll.portOperations) * ioctlMicroseconds / 1000,
                double(readAll.portOperations), ioctlMicroseconds);

    struct Change
    {
        const char* what;
        std::vector<std::uint32_t> image;
        unsigned differing;
    };
    // The first image inverted, then that again after a write that changed one of its cells,
    // then that once more.
    const std::vector<std::uint32_t> inverted = Image(part, 0xFFFF);
    const Change changes[] = {
        {"WriteAll, every cell differs", inverted, part.words},
        {"WriteAll, one cell differs", inverted, 1},
        {"WriteAll, no cell differs", inverted, 0},
    };
    Figures figures[std::size(changes)];
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        if (changes[i].differing == 1) {
            std::vector<std::uint32_t> nearly = changes[i].image;
            nearly[part.words / 2] ^= 0x0F0Fu & ((1u << part.cellClocks) - 1);
            bench.Measure(
                type, [&](DriverHandle handle) { return bench.WriteAll(handle, type, nearly); });
        }
        figures[i] = bench.Measure(type, [&](DriverHandle handle) {
            return bench.WriteAll(handle, type, changes[i].image);
        });
    }
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        const unsigned differing = changes[i].differing;
        std::printf("    %s\n", changes[i].what);
        met = Line("  clocks", double(figures[i].clocks),
                   pass + differing * write + double(EnableAndDisableClocks(part)), "clocks") &&
              Clean(figures[i], differing) && met;
        if (differing != part.words)
            continue;
        met = Line("  time against the datasheet's TWC max", Milliseconds(figures[i].virtualTime),
                   Milliseconds(differing * nanoseconds(kWordProgramTime)), "ms") &&
              met;
        TimeBeyondTheCycles(figures[i], figures[std::size(changes) - 1]);
        std::printf("    %-38s %12.3f ms\n", "  estimated on a parallel port",
                    Milliseconds(figures[i].virtualTime) +
                        double(figures[i].portOperations) * ioctlMicroseconds / 1000);
    }
    return met;
}

// Port operations (flushes and DO reads, one ppdev ioctl each) per SK clock on each road,
// from the differences between bus instructions that differ only in that road.
bool Roads(VirtualAdapter& adapter)
{
    const MicrowireGeometry chip = *FindMicrowireGeometry(6);
    SimulatedLinePort& port = adapter.Port(6);
    MicrowireBus& bus = adapter.BusFor(chip);
    const auto cost = [&](const std::function<void()>& run) {
        port.ResetCounters();
        run();
        return port.Counters();
    };
    std::array<std::uint16_t, 2> words{};
    const LinePortCounters instruction = cost([&] { bus.DisableWrite(chip); });
    const LinePortCounters erase = cost([&] { bus.Erase(chip, 0); });
    const LinePortCounters write = cost([&] { bus.Write(chip, 0, 0x1234); });
    const LinePortCounters one = cost([&] { bus.ReadOn(chip, 0, std::span(words).first(1)); });
    const LinePortCounters two = cost([&] { bus.ReadOn(chip, 0, std::span(words)); });
    bus.EnableWrite(chip);
    const nanoseconds start = adapter.Clock().Now();
    const LinePortCounters busy = cost([&] { bus.Write(chip, 0, 0x1234); });
    const nanoseconds busyTime = adapter.Clock().Now() - start;
    bus.DisableWrite(chip);
    adapter.FinishRequest();

    const auto operations = [](const LinePortCounters& counters) {
        return double(counters.flushes + counters.reads);
    };
    std::printf("port operations per SK clock, by road (minimum for a pin-by-pin port)\n");
    bool met = true;
    const auto road = [&](const char* name, double perClock, double minimum) {
        std::printf("  %-44s %5.2f (minimum %.0f)%s\n", name, perClock, minimum,
                    perClock <= 3 ? "" : "  MISSED (target <= 3)");
        met = met && perClock <= 3;
    };
    road("instruction bits (EWDS, select and samples in)",
         operations(instruction) / double(instruction.clocks), kOperationsPerClockIn);
    road("data in (WRITE against ERASE)",
         (operations(write) - operations(erase)) / double(write.clocks - erase.clocks),
         kOperationsPerClockIn);
    road("data out (READ of two words against one)",
         (operations(two) - operations(one)) / double(two.clocks - one.clocks),
         kOperationsPerClockOut);
    std::printf("  %-44s %5.2f per 10 us polled (no clocks)\n", "ready polling (busy WRITE)",
                (operations(busy) - operations(write)) /
                    (std::chrono::duration<double, std::micro>(busyTime).count() / 10));
    return met;
}

int Run(const std::filesystem::path& folder, double ioctlMicroseconds)
{
    std::printf("half period %lld ns; minimums from the protocol and the datasheet\n",
                static_cast<long long>(BusTiming{}.halfPeriod.count()));
    std::printf("clock minimums: the READ passes (sequential where the chip has it), the WRITEs of "
                "the differing words, EWEN and EWDS; targets <= %.2f x, no timing violation, "
                "programming cycles exactly the differing words\n",
                kTarget);
    std::printf("learning sequential read: what ReadAll takes beyond its two passes, once per "
                "handle; target < %.0f %% of one pass\n",
                kLearningShare);
    std::printf("WriteAll time: against the datasheet's longest WRITE cycle, TWC max %lld ms (%s), "
                "target <= %.2f x; and, for information, against the chip model's own typical "
                "cycles, with the time beyond them split up\n",
                static_cast<long long>(kWordProgramTime.count()),
                std::string(kWordProgramSource).c_str(), kTarget);
    bool met = true;
    const std::pair<const char*, AfterLastDataBit> variants[] = {
        {"chip with sequential read", AfterLastDataBit::NextWord},
        {"chip without sequential read (DO 0 past the word)", AfterLastDataBit::Zeros},
    };
    for (const auto& [name, variant] : variants) {
        std::printf("%s\n", name);
        Bench bench(folder / name, variant);
        for (const EepromTypeInfo& type : AllEepromTypes()) {
            const auto& parts = type.organisation == EepromOrganisation::Bytes8 ? kPartsX8 : kParts;
            met = RunPart(bench, parts[type.code - 1], type, variant == AfterLastDataBit::NextWord,
                          ioctlMicroseconds) &&
                  met;
        }
        if (variant == AfterLastDataBit::NextWord)
            met = Roads(bench.Adapter()) && met;
    }
    std::printf("targets %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}

} // namespace
} // namespace pemrix

int main(int argc, char** argv)
{
    const double ioctlMicroseconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    std::string folder =
        (std::filesystem::temp_directory_path() / "pemrix-adapter-benchmark-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    const auto hostStart = std::chrono::steady_clock::now();
    const int result = pemrix::Run(folder, ioctlMicroseconds);
    std::printf("host time %.1f ms\n", std::chrono::duration<double, std::milli>(
                                           std::chrono::steady_clock::now() - hostStart)
                                           .count());
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return result;
}
