#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace pemrix {

// Turns bus steps into the CH347's chip-select and write-and-read frames. Its SPI engine
// clocks whole bytes in mode 0: DI changes on the falling edge, and DO is sampled on the
// rising edge, the very edge on which the chip changes it, so each sample shows DO as it stood
// before that clock. A bus sample "as DO stands now" is therefore the sample of the next clock.
//
// A chip with CS high and DI low ignores every clock before its start bit, so an instruction
// goes out padded with leading zeros to whole bytes. A READ is sent as far as its samples
// need, and the zeros that fill its last byte read ahead into the following bits, which the
// next clocks of the read then take instead of clocking again. The other instructions are
// sent whole when CS falls; a sample wanted on their way is DO with CS high before the start
// bit, taken from a byte of zeros, as is each ready poll: the chip shows busy there, and no
// other instruction drives DO.
class Ch347Exchanges
{
public:
    Ch347Exchanges(const BusTiming& timing, std::chrono::nanoseconds clockPeriod);

    // Every step but a PollUntilHigh, which the port sends as rounds of Poll; a Wait only
    // where CS is low or no start bit went out yet, and short enough to clock away.
    void Append(const BusStep& step);
    // `polls` DO samples with CS high, the first at once, the rest at least `spacing` apart.
    void Poll(unsigned polls, std::chrono::nanoseconds spacing);
    // CS low, as the adapter is taken.
    void Rest();

    // Sends whatever a wanted sample needs; the frames of the batch, each for one OUT transfer.
    std::vector<std::vector<std::uint8_t>> TakeFrames();
    // The payload sizes of the write-and-read answers the taken frames bring, in order.
    const std::vector<std::size_t>& Answers() const { return m_answers; }
    // The samples wanted, from the answers' bytes in order; forgets the batch.
    void Resolve(const std::vector<std::uint8_t>& answered, std::vector<bool>& samples);
    unsigned Samples() const { return static_cast<unsigned>(m_wanted.size()); }
    // Forgets the batch after a failed transfer; the read ahead is lost with it.
    void Clear();

private:
    enum class Selection
    {
        Deselected,
        // Selected, no start bit yet.
        Opening,
        Read,
        // An instruction sent whole when CS falls.
        Other,
    };

    void Select();
    void Deselect();
    void Clock(bool dataIn, bool sampled);
    void WantNow();
    // `count` bytes of zeros exchanged now; the last clock's sample is wanted.
    void ZeroBytes(std::size_t count, bool wanted);
    // Sends the kept READ bits, filled with zeros to whole bytes and past every wanted sample.
    void SendRead();
    void Exchange(const std::vector<bool>& bits);
    std::size_t BytesSpanning(std::chrono::nanoseconds duration) const;

    BusTiming m_timing;
    std::chrono::nanoseconds m_period;
    Selection m_selection = Selection::Deselected;
    std::vector<std::vector<std::uint8_t>> m_frames;
    std::vector<std::size_t> m_answers;
    // Clocks sent since the last Clear, counted across batches.
    std::uint64_t m_nSent = 0;
    // The first clock of this batch, and the read-ahead clocks of the last one before it,
    // whose samples came with their batch.
    std::uint64_t m_nBatchStart = 0;
    std::uint64_t m_nAheadStart = 0;
    std::vector<bool> m_ahead;
    // The clock that comes next on the bus, which may be sent already as read-ahead.
    std::uint64_t m_nNext = 0;
    // DI bits kept: those of a READ not sent yet, or the whole of another instruction.
    std::vector<bool> m_kept;
    // Clock numbers whose samples are wanted, in order.
    std::vector<std::uint64_t> m_wanted;
};

} // namespace pemrix
