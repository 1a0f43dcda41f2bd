#include "adapter/bus/MicrowireBus.h"

#include "adapter/chip/ChipTiming.h"

#include <algorithm>

namespace pemrix {

namespace {

constexpr unsigned kStartAndOpcodeBits = 3;

// What AppendOpening samples: DO before CS rises, after the start bit and opcode, and then
// where a chip could answer early, up to the frame's last bit.
constexpr std::size_t kIdleSample = 0;
constexpr std::size_t kStatusSample = 1;
// No 93Cxx takes fewer address bits.
constexpr unsigned kFewestAddressBits = 6;

// A READ is sampled after every address bit from the one before the smallest chip's last on,
// since a chip with fewer address bits than the type drives its dummy 0 right after its own
// last one; other instructions, which a chip answers with nothing, only before the last bit.
std::size_t OpeningSamples(MicrowireInstruction instruction, const MicrowireGeometry& chip)
{
    const std::size_t early =
        instruction == MicrowireInstruction::Read ? chip.addressBits - (kFewestAddressBits - 1) : 1;
    return kStatusSample + 1 + early;
}

} // namespace

std::uint16_t SampledBits(const std::vector<bool>& samples, std::size_t first, unsigned count)
{
    std::uint16_t value = 0;
    for (std::size_t bit = first; bit < first + count; ++bit)
        value = static_cast<std::uint16_t>((value << 1) | (samples[bit] ? 1 : 0));
    return value;
}

MicrowireBus::MicrowireBus(TransactionPort& port, const BusClock& clock, const BusTiming& timing)
    : m_port(port), m_clock(clock), m_timing(timing)
{
}

AdapterStatus MicrowireBus::Read(const MicrowireGeometry& chip, std::uint32_t address,
                                 std::uint16_t& word)
{
    return ReadOn(chip, address, std::span(&word, 1));
}

AdapterStatus MicrowireBus::ReadWords(const MicrowireGeometry& chip, std::uint32_t first,
                                      std::span<std::uint16_t> words)
{
    // Sent in batches, one READ instruction per word: a USB adapter then pays one round trip
    // for a batch rather than for each word.
    constexpr std::size_t kWordsPerBatch = 64;
    const std::size_t samplesPerRead =
        OpeningSamples(MicrowireInstruction::Read, chip) + 1 + chip.dataBits;
    for (std::size_t done = 0; done < words.size(); done += kWordsPerBatch) {
        const std::size_t count = std::min(kWordsPerBatch, words.size() - done);
        BusTransaction batch;
        for (std::size_t i = 0; i < count; ++i) {
            AppendRead(batch, chip, first + static_cast<std::uint32_t>(done + i), chip.dataBits);
            batch.Deselect();
        }
        const std::vector<bool> samples = m_port.Run(batch);
        for (std::size_t i = 0; i < count; ++i) {
            const AdapterStatus status =
                JudgeRead(samples, chip, i * samplesPerRead, words.subspan(done + i, 1));
            if (status != AdapterStatus::Ok)
                return status;
        }
    }
    return AdapterStatus::Ok;
}

AdapterStatus MicrowireBus::ReadOn(const MicrowireGeometry& chip, std::uint32_t address,
                                   std::span<std::uint16_t> words)
{
    BusTransaction read;
    AppendRead(read, chip, address, chip.dataBits * words.size());
    return JudgeRead(m_port.Run(read.Deselect()), chip, 0, words);
}

AdapterStatus MicrowireBus::OpenRead(const MicrowireGeometry& chip, std::uint32_t address,
                                     unsigned bits, std::vector<bool>& data)
{
    BusTransaction read;
    AppendRead(read, chip, address, bits);
    data = m_port.Run(read);
    const AdapterStatus status = JudgeRead(data, chip, 0, {});
    if (status != AdapterStatus::Ok) {
        EndRead();
        return status;
    }
    data.erase(data.begin(),
               data.begin() + static_cast<long>(OpeningSamples(MicrowireInstruction::Read, chip)) +
                   1);
    return AdapterStatus::Ok;
}

std::vector<bool> MicrowireBus::ContinueRead(unsigned bits)
{
    return m_port.Run(BusTransaction().ClockIn(bits));
}

void MicrowireBus::EndRead()
{
    m_port.Run(BusTransaction().Deselect());
}

void MicrowireBus::AppendRead(BusTransaction& transaction, const MicrowireGeometry& chip,
                              std::uint32_t address, std::size_t bits) const
{
    // The chip drives its dummy 0 from the last address bit's rising edge on, so it is read
    // before the first data clock, without a clock of its own. A chip with sequential read
    // follows the last data bit with the next word's first, so one READ reads them all.
    AppendOpening(transaction, MicrowireInstruction::Read, chip, address);
    transaction.ClockOut(InstructionFrame(MicrowireInstruction::Read, chip.addressBits, address), 1)
        .Sample()
        .ClockIn(static_cast<unsigned>(bits));
}

AdapterStatus MicrowireBus::JudgeRead(const std::vector<bool>& samples,
                                      const MicrowireGeometry& chip, std::size_t offset,
                                      std::span<std::uint16_t> words) const
{
    const std::size_t opening = OpeningSamples(MicrowireInstruction::Read, chip);
    const AdapterStatus heard = JudgeOpening(samples, offset, opening);
    if (heard != AdapterStatus::Ok)
        return heard;
    if (samples[offset + opening])
        return AdapterStatus::NoChip;
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = SampledBits(samples, offset + opening + 1 + i * chip.dataBits, chip.dataBits);
    return AdapterStatus::Ok;
}

AdapterStatus MicrowireBus::Write(const MicrowireGeometry& chip, std::uint32_t address,
                                  std::uint16_t word)
{
    return Send(MicrowireInstruction::Write, chip, address, word);
}

AdapterStatus MicrowireBus::Erase(const MicrowireGeometry& chip, std::uint32_t address)
{
    return Send(MicrowireInstruction::Erase, chip, address, 0);
}

AdapterStatus MicrowireBus::EraseAll(const MicrowireGeometry& chip)
{
    return Send(MicrowireInstruction::EraseAll, chip, 0, 0);
}

AdapterStatus MicrowireBus::WriteAll(const MicrowireGeometry& chip, std::uint16_t word)
{
    return Send(MicrowireInstruction::WriteAll, chip, 0, word);
}

AdapterStatus MicrowireBus::EnableWrite(const MicrowireGeometry& chip)
{
    return Send(MicrowireInstruction::EnableWrite, chip, 0, 0);
}

AdapterStatus MicrowireBus::DisableWrite(const MicrowireGeometry& chip)
{
    return Send(MicrowireInstruction::DisableWrite, chip, 0, 0);
}

AdapterStatus MicrowireBus::AwaitIdle()
{
    return AwaitReady(m_timing.chipProgramTimeout, false);
}

void MicrowireBus::WaitOutProgramming()
{
    m_port.Run(BusTransaction().Wait(m_timing.chipProgramTimeout));
}

AdapterStatus MicrowireBus::Send(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                 std::uint32_t address, std::uint16_t word)
{
    // The opening is judged before the frame's last bit goes out, so an instruction to a chip
    // that cannot be heard is never completed.
    BusTransaction opening;
    AppendOpening(opening, instruction, chip, address);
    const AdapterStatus heard =
        JudgeOpening(m_port.Run(opening), 0, OpeningSamples(instruction, chip));
    if (heard != AdapterStatus::Ok) {
        m_port.Run(BusTransaction().Deselect());
        return heard;
    }
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    BusTransaction rest;
    rest.ClockOut(InstructionFrame(instruction, chip.addressBits, address), 1);
    if (code.takesData)
        rest.ClockOut(word, chip.dataBits);
    // Chip select falling starts the chip's own programming cycle.
    m_port.Run(rest.Deselect());
    if (instruction == MicrowireInstruction::EnableWrite) {
        m_writeEnabledChip = chip;
        return AdapterStatus::Ok;
    }
    if (instruction == MicrowireInstruction::DisableWrite) {
        m_writeEnabledChip.reset();
        return AdapterStatus::Ok;
    }
    const AdapterStatus ready =
        AwaitReady(code.wholeChip ? m_timing.chipProgramTimeout : m_timing.wordProgramTimeout,
                   m_writeEnabledChip.has_value());
    // Ready at the first poll proves that no cycle ran only when that poll came before the
    // shortest cycle could have ended; a process descheduled in between may have missed the
    // whole cycle, so the chip is judged by what it holds now.
    if (ready == AdapterStatus::NoChip &&
        m_port.FirstSampleDelay() >= ChipTimingLimit(TimingRule::ProgramCycle).figure)
        return ConfirmProgrammed(instruction, chip, address, word);
    return ready;
}

AdapterStatus MicrowireBus::ConfirmProgrammed(MicrowireInstruction instruction,
                                              const MicrowireGeometry& chip, std::uint32_t address,
                                              std::uint16_t word)
{
    constexpr std::uint16_t kErased = 0xFFFF;
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    const bool erases =
        instruction == MicrowireInstruction::Erase || instruction == MicrowireInstruction::EraseAll;
    // The READ's idle and dummy-bit checks prove that a chip answered; an empty socket with DO
    // pulled high fails them.
    std::uint16_t held = 0;
    const AdapterStatus status = Read(chip, code.wholeChip ? 0 : address, held);
    if (status != AdapterStatus::Ok)
        return status;
    return held == (erases ? kErased : word) ? AdapterStatus::Ok : AdapterStatus::NoChip;
}

void MicrowireBus::AppendOpening(BusTransaction& transaction, MicrowireInstruction instruction,
                                 const MicrowireGeometry& chip, std::uint32_t address) const
{
    const unsigned frameBits = kStartAndOpcodeBits + chip.addressBits;
    const std::uint32_t frame = InstructionFrame(instruction, chip.addressBits, address);
    // After the opcode only a busy chip can hold DO low; later, a chip with fewer address bits
    // than the type answers early.
    transaction.Sample()
        .Select()
        .ClockOut(frame >> (frameBits - kStartAndOpcodeBits), kStartAndOpcodeBits)
        .Sample();
    const unsigned lastSampled = frameBits - 1;
    const unsigned firstSampled =
        lastSampled + 1 -
        static_cast<unsigned>(OpeningSamples(instruction, chip) - kStatusSample - 1);
    transaction.ClockOut(frame >> (frameBits - firstSampled), firstSampled - kStartAndOpcodeBits)
        .Sample();
    for (unsigned sent = firstSampled + 1; sent <= lastSampled; ++sent)
        transaction.ClockOut(frame >> (frameBits - sent), 1).Sample();
}

AdapterStatus MicrowireBus::JudgeOpening(const std::vector<bool>& samples, std::size_t offset,
                                         std::size_t count) const
{
    if (m_timing.dummyBitCheckOnly)
        return AdapterStatus::Ok;
    // A chip never drives DO while deselected, so low there is the line itself; low once CS is
    // up is a chip still busy from an earlier cycle, which ignores the start bit; low only
    // before the last address bit is a chip that took its whole address already.
    if (!samples[offset + kIdleSample])
        return AdapterStatus::DataOutLow;
    if (!samples[offset + kStatusSample])
        return AdapterStatus::ChipBusy;
    for (std::size_t i = kStatusSample + 1; i < count; ++i) {
        if (!samples[offset + i])
            return AdapterStatus::TypeLargerThanChip;
    }
    return AdapterStatus::Ok;
}

AdapterStatus MicrowireBus::AwaitReady(std::chrono::nanoseconds timeout, bool busyExpected)
{
    // With chip select high again and DI low the chip shows busy as DO low and ready as DO
    // high; polling, rather than waiting a fixed time, costs each word only its own cycle. The
    // first poll comes a poll interval after CS rises, well past the status's valid time and
    // well before the shortest programming cycle could end, so a write-enabled chip that
    // shows ready at once never started one (the caller checks that the first poll really came
    // that early). The polls after it are one step, so a USB port
    // can send them in batches along with the instruction.
    BusTransaction poll;
    poll.Select()
        .Wait(m_timing.pollInterval)
        .Sample()
        .PollUntilHigh(m_timing.pollInterval, timeout)
        .Deselect();
    const std::vector<bool> samples = m_port.Run(poll);
    if (samples[0])
        return busyExpected ? AdapterStatus::NoChip : AdapterStatus::Ok;
    return samples[1] ? AdapterStatus::Ok : AdapterStatus::ChipBusy;
}

} // namespace pemrix
