#include "adapter/bus/MicrowireBus.h"

#include <algorithm>

namespace pemrix {

namespace {

constexpr unsigned kWordBits = 16;
constexpr unsigned kStartAndOpcodeBits = 3;

} // namespace

MicrowireBus::MicrowireBus(TransactionPort& port, const BusClock& clock, const BusTiming& timing)
    : m_port(port), m_clock(clock), m_timing(timing)
{
}

AdapterStatus MicrowireBus::Read(const MicrowireGeometry& chip, std::uint32_t address,
                                 std::uint16_t& word)
{
    return ReadWords(chip, address, std::span(&word, 1));
}

AdapterStatus MicrowireBus::ReadWords(const MicrowireGeometry& chip, std::uint32_t first,
                                      std::span<std::uint16_t> words)
{
    // Sent in batches, one READ instruction per word: a USB adapter then pays one round trip
    // for a batch rather than for each word.
    constexpr std::size_t kWordsPerBatch = 64;
    constexpr unsigned kSamplesPerWord = 1 + kWordBits;
    for (std::size_t done = 0; done < words.size(); done += kWordsPerBatch) {
        const std::size_t count = std::min(kWordsPerBatch, words.size() - done);
        BusTransaction batch;
        for (std::size_t i = 0; i < count; ++i) {
            // The chip drives its dummy 0 from the last address bit's rising edge on, so it is
            // read before the first data clock, without a clock of its own.
            const std::uint32_t address = first + static_cast<std::uint32_t>(done + i);
            Instruction(batch, MicrowireInstruction::Read, chip, address)
                .Sample()
                .ClockIn(kWordBits)
                .Deselect();
        }
        const std::vector<bool> samples = m_port.Run(batch);
        for (std::size_t i = 0; i < count; ++i) {
            const auto word = samples.begin() + static_cast<long>(i * kSamplesPerWord);
            if (*word)
                return AdapterStatus::NoChip;
            std::uint16_t value = 0;
            for (unsigned bit = 1; bit <= kWordBits; ++bit)
                value = static_cast<std::uint16_t>((value << 1) | (word[bit] ? 1 : 0));
            words[done + i] = value;
        }
    }
    return AdapterStatus::Ok;
}

AdapterStatus MicrowireBus::Write(const MicrowireGeometry& chip, std::uint32_t address,
                                  std::uint16_t word)
{
    return Program(MicrowireInstruction::Write, chip, address, word);
}

AdapterStatus MicrowireBus::Erase(const MicrowireGeometry& chip, std::uint32_t address)
{
    return Program(MicrowireInstruction::Erase, chip, address, 0);
}

AdapterStatus MicrowireBus::EraseAll(const MicrowireGeometry& chip)
{
    return Program(MicrowireInstruction::EraseAll, chip, 0, 0);
}

AdapterStatus MicrowireBus::WriteAll(const MicrowireGeometry& chip, std::uint16_t word)
{
    return Program(MicrowireInstruction::WriteAll, chip, 0, word);
}

void MicrowireBus::EnableWrite(const MicrowireGeometry& chip)
{
    BusTransaction enable;
    m_port.Run(Instruction(enable, MicrowireInstruction::EnableWrite, chip, 0).Deselect());
}

void MicrowireBus::DisableWrite(const MicrowireGeometry& chip)
{
    BusTransaction disable;
    m_port.Run(Instruction(disable, MicrowireInstruction::DisableWrite, chip, 0).Deselect());
}

AdapterStatus MicrowireBus::Program(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                    std::uint32_t address, std::uint16_t word)
{
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    BusTransaction program;
    Instruction(program, instruction, chip, address);
    if (code.takesData)
        program.ClockOut(word, kWordBits);
    // Chip select falling starts the chip's own programming cycle.
    m_port.Run(program.Deselect());
    return AwaitReady(code.wholeChip ? m_timing.chipProgramTimeout : m_timing.wordProgramTimeout);
}

BusTransaction& MicrowireBus::Instruction(BusTransaction& transaction,
                                          MicrowireInstruction instruction,
                                          const MicrowireGeometry& chip, std::uint32_t address)
{
    return transaction.Select().ClockOut(InstructionFrame(instruction, chip.addressBits, address),
                                         kStartAndOpcodeBits + chip.addressBits);
}

AdapterStatus MicrowireBus::AwaitReady(std::chrono::nanoseconds timeout)
{
    // With chip select high again and DI low the chip shows busy as DO low and ready as DO
    // high; polling, rather than waiting a fixed time, costs each word only its own cycle.
    m_port.Run(BusTransaction().Select());
    BusTransaction poll;
    poll.Wait(m_timing.pollInterval).Sample();
    const std::chrono::nanoseconds start = m_clock.Now();
    AdapterStatus status = AdapterStatus::ChipBusy;
    while (m_clock.Now() - start < timeout) {
        if (m_port.Run(poll).front()) {
            status = AdapterStatus::Ok;
            break;
        }
    }
    m_port.Run(BusTransaction().Deselect());
    return status;
}

} // namespace pemrix
