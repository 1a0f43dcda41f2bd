// Runs REQ_READ_ALL and REQ_WRITE_ALL of a 93C86 through the built-in driver over the
// simulated port and prints what they cost against what the protocol and the chip need.

#include "adapter/BuiltInDriver.h"
#include "adapter/BuiltInPortConnector.h"
#include "adapter/virtual/VirtualAdapter.h"
#include "adapter/virtual/VirtualAdapterAddress.h"
#include "driver/RequestCodes.h"
#include "driver/RequestRecords.h"

#include <stdlib.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace pemrix {
namespace {

constexpr EepromType k93C86 = 6;
constexpr double kClockTarget = 1.05;
constexpr double kWriteTimeTarget = 1.05;

struct Figures
{
    std::uint64_t clocks;
    std::uint64_t portOperations;
    std::chrono::nanoseconds virtualTime;
    std::chrono::nanoseconds programmingTime;
    std::uint32_t status;
    std::size_t timingViolations;
};

class Bench
{
public:
    explicit Bench(const std::filesystem::path& folder)
        : m_adapter(std::make_shared<VirtualAdapter>(folder, BusTiming{})),
          m_driver(std::make_shared<BuiltInPortConnector>(
              m_adapter, ParportDirectory(folder / "proc", folder / "dev"),
              PpdevSetup{nullptr, nullptr, nullptr, BusTiming{}}))
    {
        m_handle = m_driver.Open(kChipCommandOpenAttributes);
        SendValue(REQ_SET_PORT, kVirtualAdapterBase);
    }

    Figures Measure(std::uint32_t code, const ImageRecord& image)
    {
        SimulatedLinePort& port = m_adapter->Port(k93C86);
        const MicrowireChip& chip = m_adapter->Chip(k93C86);
        port.ResetCounters();
        const auto start = m_adapter->Clock().Now();
        const auto programmedBefore = chip.ProgrammingTime();
        const std::size_t violationsBefore = chip.TimingViolations().size();
        std::vector<std::uint8_t> bytes(ImageRecord::kSize);
        EncodeRecord(image, bytes);
        std::uint32_t bytesReturned = 0;
        m_driver.Control(m_handle, code, bytes.data(), ImageRecord::kSize, ImageRecord::kSize,
                         bytesReturned);
        const LinePortCounters& counters = port.Counters();
        return {counters.clocks,
                counters.flushes + counters.reads,
                m_adapter->Clock().Now() - start,
                chip.ProgrammingTime() - programmedBefore,
                DecodeRecord<ImageRecord>(bytes).status,
                chip.TimingViolations().size() - violationsBefore};
    }

    void SendValue(std::uint32_t code, std::uint32_t value)
    {
        std::uint8_t bytes[ValueRequest::kSize];
        EncodeRecord(ValueRequest{value}, bytes);
        std::uint32_t bytesReturned = 0;
        m_driver.Control(m_handle, code, bytes, ValueRequest::kSize, 0, bytesReturned);
    }

private:
    std::shared_ptr<VirtualAdapter> m_adapter;
    BuiltInDriver m_driver;
    DriverHandle m_handle = kInvalidDriverHandle;
};

double Milliseconds(std::chrono::nanoseconds time)
{
    return std::chrono::duration<double, std::milli>(time).count();
}

bool Report(const char* name, const Figures& figures, std::uint64_t minimumClocks, bool programs)
{
    const double clockRatio = double(figures.clocks) / double(minimumClocks);
    std::printf("%s (status %u)\n", name, figures.status);
    std::printf("  SK clocks            %8llu, minimum %llu: %.4f x (target <= %.2f)\n",
                static_cast<unsigned long long>(figures.clocks),
                static_cast<unsigned long long>(minimumClocks), clockRatio, kClockTarget);
    std::printf("  port operations      %8llu: %.2f per clock (flushes and DO reads)\n",
                static_cast<unsigned long long>(figures.portOperations),
                double(figures.portOperations) / double(figures.clocks));
    std::printf("  virtual time         %10.3f ms\n", Milliseconds(figures.virtualTime));
    std::printf("  timing violations    %8zu (target 0, datasheet minimums of the slowest parts)\n",
                figures.timingViolations);
    bool met = figures.status == 0 && clockRatio <= kClockTarget && figures.timingViolations == 0;
    if (programs) {
        const double timeRatio =
            Milliseconds(figures.virtualTime) / Milliseconds(figures.programmingTime);
        std::printf("  chip's own cycles    %10.3f ms: %.4f x (target <= %.2f)\n",
                    Milliseconds(figures.programmingTime), timeRatio, kWriteTimeTarget);
        met = met && timeRatio <= kWriteTimeTarget;
    }
    return met;
}

int Run(const std::filesystem::path& folder)
{
    Bench bench(folder);
    const MicrowireGeometry chip = *FindMicrowireGeometry(k93C86);
    // Word-by-word commands: start bit, two opcode bits, the address, sixteen data bits.
    const std::uint64_t minimumClocks = std::uint64_t(chip.words) * (3 + chip.addressBits + 16);

    ImageRecord image{k93C86};
    for (std::uint32_t i = 0; i < chip.words; ++i)
        image.words[i] = (i * 0x9E37u) & 0xFFFF;

    bench.SendValue(REQ_WRITE_ENABLE, k93C86);
    const Figures writeAll = bench.Measure(REQ_WRITE_ALL, image);
    bench.SendValue(REQ_WRITE_DISABLE, k93C86);
    const Figures readAll = bench.Measure(REQ_READ_ALL, ImageRecord{k93C86});

    std::printf("93C86, %u words, half period %lld ns\n", chip.words,
                static_cast<long long>(BusTiming{}.halfPeriod.count()));
    const bool readMet = Report("REQ_READ_ALL", readAll, minimumClocks, false);
    const bool writeMet = Report("REQ_WRITE_ALL", writeAll, minimumClocks, true);
    std::printf("targets %s\n", readMet && writeMet ? "met" : "MISSED");
    return readMet && writeMet ? 0 : 1;
}

} // namespace
} // namespace pemrix

int main()
{
    std::string folder =
        (std::filesystem::temp_directory_path() / "pemrix-adapter-benchmark-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 2;
    }
    const auto hostStart = std::chrono::steady_clock::now();
    const int result = pemrix::Run(folder);
    std::printf("host time %.1f ms\n", std::chrono::duration<double, std::milli>(
                                           std::chrono::steady_clock::now() - hostStart)
                                           .count());
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    return result;
}
