#include "adapter/bus/ImageTransfer.h"

#include <algorithm>
#include <vector>

namespace pemrix {

namespace {

constexpr unsigned kWordBits = 16;
// How much of the second word the first pass clocks before it judges the stream: enough that
// hardly any image's second word fails to tell, little enough that a chip without sequential
// read pays half a percent of a 93C46 pass for it.
constexpr unsigned kJudgedBits = 8;

// True when `leading`, the first `bits` bits streamed past the word `before`, are none a chip
// without sequential read shows there: once a word is out, such a chip's shift register fills
// with 0, or it releases DO to the pull-up, or the word comes round again.
bool Telling(std::uint16_t leading, std::uint16_t before, unsigned bits = kWordBits)
{
    const unsigned value = leading;
    return value != 0 && value != (1u << bits) - 1 &&
           value != unsigned{before} >> (kWordBits - bits);
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
    AdapterStatus status = bus.OpenRead(chip, 0, kWordBits + kJudgedBits, bits);
    if (status != AdapterStatus::Ok)
        return status;
    words[0] = SampledBits(bits, 0);
    const std::uint16_t leading = SampledBits(bits, kWordBits, kJudgedBits);
    if (Telling(leading, words[0], kJudgedBits)) {
        sequential = Sequential::Yes;
        const std::vector<bool> rest =
            bus.ContinueRead(static_cast<unsigned>(kWordBits * words.size() - bits.size()));
        bus.EndRead();
        bits.insert(bits.end(), rest.begin(), rest.end());
        for (std::size_t i = 1; i < words.size(); ++i)
            words[i] = SampledBits(bits, i * kWordBits);
        return AdapterStatus::Ok;
    }
    bus.EndRead();
    status = ReadWordByWord(bus, chip, words, 1, mayContinue);
    if (status != AdapterStatus::Ok)
        return status;
    if (words[1] >> (kWordBits - kJudgedBits) != leading) {
        sequential = Sequential::No;
        return AdapterStatus::Ok;
    }
    // The start of the image could not tell; its first telling word can, for the next time.
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
