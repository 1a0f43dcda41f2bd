#include "adapter/bus/ImageTransfer.h"

#include <algorithm>
#include <vector>

namespace pemrix {

namespace {

// How much of the second cell the first pass clocks before it judges the stream, as a share
// of a cell: enough that hardly any image's second cell fails to tell, little enough that a
// chip without sequential read pays half a percent of a 93C46 pass for it.
unsigned JudgedBits(const MicrowireGeometry& chip)
{
    return chip.dataBits / 2;
}

// True when `leading`, the first `bits` bits streamed past the cell `before`, are none a chip
// without sequential read shows there: once a cell is out, such a chip's shift register fills
// with 0, or it releases DO to the pull-up, or the cell comes round again.
bool Telling(const MicrowireGeometry& chip, std::uint16_t leading, std::uint16_t before,
             unsigned bits)
{
    const unsigned value = leading;
    return value != 0 && value != (1u << bits) - 1 &&
           value != unsigned{before} >> (chip.dataBits - bits);
}

} // namespace

AdapterStatus ImageTransfer::Read(MicrowireBus& bus, const MicrowireGeometry& chip,
                                  std::span<std::uint16_t> words, const WordGate& mayContinue)
{
    Sequential& sequential = m_sequential[MicrowireTypeSlot(chip)];
    if (sequential == Sequential::No)
        return ReadWordByWord(bus, chip, words, 0, mayContinue);
    if (!mayContinue(0))
        return AdapterStatus::Stopped;
    if (sequential == Sequential::Yes)
        return bus.ReadOn(chip, 0, words);
    // Unknown: the pass opens as one READ through the whole chip and goes on as one once the
    // start of the second word tells; else it ends there and the chip is read a word a READ.
    std::vector<bool> bits;
    const unsigned cellBits = chip.dataBits;
    const unsigned judged = JudgedBits(chip);
    AdapterStatus status = bus.OpenRead(chip, 0, cellBits + judged, bits);
    if (status != AdapterStatus::Ok)
        return status;
    words[0] = SampledBits(bits, 0, cellBits);
    const std::uint16_t leading = SampledBits(bits, cellBits, judged);
    if (Telling(chip, leading, words[0], judged)) {
        sequential = Sequential::Yes;
        const std::vector<bool> rest =
            bus.ContinueRead(static_cast<unsigned>(cellBits * words.size() - bits.size()));
        bus.EndRead();
        bits.insert(bits.end(), rest.begin(), rest.end());
        for (std::size_t i = 1; i < words.size(); ++i)
            words[i] = SampledBits(bits, i * cellBits, cellBits);
        return AdapterStatus::Ok;
    }
    bus.EndRead();
    status = ReadWordByWord(bus, chip, words, 1, mayContinue);
    if (status != AdapterStatus::Ok)
        return status;
    if (words[1] >> (cellBits - judged) != leading) {
        sequential = Sequential::No;
        return AdapterStatus::Ok;
    }
    // The start of the image could not tell; its first telling word can, for the next time.
    for (std::uint32_t address = 1; address < words.size(); ++address) {
        if (Telling(chip, words[address], words[address - 1], cellBits))
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
    else if (Telling(chip, next, streamed[0], chip.dataBits))
        sequential = Sequential::Yes;
    return AdapterStatus::Ok;
}

AdapterStatus ImageTransfer::ReadWordByWord(MicrowireBus& bus, const MicrowireGeometry& chip,
                                            std::span<std::uint16_t> words, std::size_t first,
                                            const WordGate& mayContinue)
{
    // In runs of words, so a USB adapter still gets whole batches while a stop is heard
    // between them.
    constexpr std::size_t kWordsPerRun = 64;
    for (std::size_t address = first; address < words.size();) {
        if (!mayContinue(static_cast<std::uint32_t>(address)))
            return AdapterStatus::Stopped;
        const std::size_t end = std::min((address / kWordsPerRun + 1) * kWordsPerRun, words.size());
        const AdapterStatus status = bus.ReadWords(chip, static_cast<std::uint32_t>(address),
                                                   words.subspan(address, end - address));
        address = end;
        if (status != AdapterStatus::Ok)
            return status;
    }
    return AdapterStatus::Ok;
}

} // namespace pemrix
