#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/bus/MicrowireGeometry.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace pemrix {

// Reads and writes a whole chip over its bus at the least cost the chip allows. A chip with
// sequential read gives all its words to one READ; one without it needs a READ a word. Which
// kind sits in the socket is learnt from the chip's own answers, once per type, within the
// first pass: past a word's last bit a chip without sequential read shows 0, DO released
// (FFFF) or the same word again, so the pass opens as one READ from word 0 and goes on as one
// only when the start of the second word is none of those. Otherwise the pass ends that READ
// and reads a word a READ; a second word unlike the streamed one proves the chip has no
// sequential read, and a chip whose words cannot tell (erased, all 0000, one word
// throughout) is read that way every time.
//
// `mayContinue` is asked before a word is read or programmed, with its address; where it says
// no, the transfer ends there with Stopped. A whole-chip READ is one instruction, so it is
// asked only before it begins.
class ImageTransfer
{
public:
    using WordGate = std::function<bool(std::uint32_t address)>;

    AdapterStatus Read(MicrowireBus& bus, const MicrowireGeometry& chip,
                       std::span<std::uint16_t> words, const WordGate& mayContinue);
    // Programs the words of `image` that the chip does not hold already, or every word when
    // the bus's timing says rewriteEqualWords.
    AdapterStatus Write(MicrowireBus& bus, const MicrowireGeometry& chip,
                        std::span<const std::uint16_t> image, const WordGate& mayContinue);

private:
    enum class Sequential
    {
        Unknown,
        Yes,
        No,
    };

    // Two words read on from `address`, against `next`, the word a READ of the address after
    // it gave: a different word proves the chip has no sequential read, a telling one that it
    // has; anything else leaves it unknown.
    static AdapterStatus Probe(MicrowireBus& bus, const MicrowireGeometry& chip,
                               std::uint32_t address, std::uint16_t next, Sequential& sequential);
    // The words from `first` on, one READ each.
    static AdapterStatus ReadWordByWord(MicrowireBus& bus, const MicrowireGeometry& chip,
                                        std::span<std::uint16_t> words, std::size_t first,
                                        const WordGate& mayContinue);

    // By position in the type table.
    std::array<Sequential, kEepromTypeCount> m_sequential{};
};

} // namespace pemrix
