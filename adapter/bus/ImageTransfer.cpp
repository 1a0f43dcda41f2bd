#include "adapter/bus/ImageTransfer.h"

#include <algorithm>
#include <vector>

namespace pemrix {

namespace {

// True when `streamed`, following `before` in a stream, is a word a chip without sequential
// read could not have made up.
bool Telling(std::uint16_t streamed, std::uint16_t before)
{
    return streamed != 0x0000 && streamed != 0xFFFF && streamed != before;
}

} // namespace

AdapterStatus ImageTransfer::Read(MicrowireBus& bus, const MicrowireGeometry& chip,
                                  std::span<std::uint16_t> words, const WordGate& mayContinue)
{
    Sequential& sequential = m_sequential[chip.code - 1];
    if (sequential == Sequential::Unknown && chip.words > 1) {
        std::uint16_t second = 0;
        AdapterStatus status = bus.Read(chip, 1, second);
        if (status == AdapterStatus::Ok)
            status = Probe(bus, chip, 0, second, sequential);
        if (status != AdapterStatus::Ok)
            return status;
    }
    if (sequential == Sequential::Yes)
        return mayContinue(0) ? bus.ReadOn(chip, 0, words) : AdapterStatus::Stopped;
    AdapterStatus status = ReadWordByWord(bus, chip, words, mayContinue);
    if (status != AdapterStatus::Ok || sequential == Sequential::No)
        return status;
    // The first two words could not tell; the first telling word of the image can, for the
    // next time.
    for (std::uint32_t address = 1; address < words.size(); ++address) {
        if (Telling(words[address], words[address - 1]))
            return Probe(bus, chip, address - 1, words[address], sequential);
    }
    return AdapterStatus::Ok;
}

AdapterStatus ImageTransfer::Write(MicrowireBus& bus, const MicrowireGeometry& chip,
                                   std::span<const std::uint16_t> image,
                                   const WordGate& mayContinue)
{
    const bool rewrite = bus.Timing().rewriteEqualWords;
    std::vector<std::uint16_t> held(chip.words);
    if (!rewrite) {
        // The words the chip holds are not the command's own progress, which counts the
        // words programmed and then the words read back.
        const AdapterStatus status = Read(bus, chip, held, [](std::uint32_t) { return true; });
        if (status != AdapterStatus::Ok)
            return status;
    }
    for (std::uint32_t address = 0; address < chip.words; ++address) {
        if (!mayContinue(address))
            return AdapterStatus::Stopped;
        if (!rewrite && held[address] == image[address])
            continue;
        const AdapterStatus status = bus.Write(chip, address, image[address]);
        if (status != AdapterStatus::Ok)
            return status;
    }
    return AdapterStatus::Ok;
}

AdapterStatus ImageTransfer::Probe(MicrowireBus& bus, const MicrowireGeometry& chip,
                                   std::uint32_t address, std::uint16_t next,
                                   Sequential& sequential)
{
    std::array<std::uint16_t, 2> streamed{};
    const AdapterStatus status = bus.ReadOn(chip, address, streamed);
    if (status != AdapterStatus::Ok)
        return status;
    if (streamed[1] != next)
        sequential = Sequential::No;
    else if (Telling(next, streamed[0]))
        sequential = Sequential::Yes;
    return AdapterStatus::Ok;
}

AdapterStatus ImageTransfer::ReadWordByWord(MicrowireBus& bus, const MicrowireGeometry& chip,
                                            std::span<std::uint16_t> words,
                                            const WordGate& mayContinue)
{
    // In runs of words, so a USB adapter still gets whole batches while a stop is heard
    // between them.
    constexpr std::size_t kWordsPerRun = 64;
    for (std::size_t address = 0; address < words.size(); address += kWordsPerRun) {
        if (!mayContinue(static_cast<std::uint32_t>(address)))
            return AdapterStatus::Stopped;
        const AdapterStatus status =
            bus.ReadWords(chip, static_cast<std::uint32_t>(address),
                          words.subspan(address, std::min(kWordsPerRun, words.size() - address)));
        if (status != AdapterStatus::Ok)
            return status;
    }
    return AdapterStatus::Ok;
}

} // namespace pemrix
