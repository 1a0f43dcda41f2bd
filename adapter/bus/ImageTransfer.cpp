#include "adapter/bus/ImageTransfer.h"

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
                                  std::span<std::uint16_t> words)
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
        return bus.ReadOn(chip, 0, words);
    AdapterStatus status = ReadWordByWord(bus, chip, words);
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
                                   std::span<const std::uint16_t> image)
{
    const bool rewrite = bus.Timing().rewriteEqualWords;
    std::vector<std::uint16_t> held(chip.words);
    if (!rewrite) {
        const AdapterStatus status = Read(bus, chip, held);
        if (status != AdapterStatus::Ok)
            return status;
    }
    for (std::uint32_t address = 0; address < chip.words; ++address) {
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
                                            std::span<std::uint16_t> words)
{
    for (std::uint32_t address = 0; address < words.size(); ++address) {
        const AdapterStatus status = bus.Read(chip, address, words[address]);
        if (status != AdapterStatus::Ok)
            return status;
    }
    return AdapterStatus::Ok;
}

} // namespace pemrix
