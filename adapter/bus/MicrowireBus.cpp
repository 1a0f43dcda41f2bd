#include "adapter/bus/MicrowireBus.h"

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
    // The chip drives its dummy 0 from the last address bit's rising edge on, so it is read
    // before the first data clock, without a clock of its own.
    BusTransaction read = Instruction(MicrowireInstruction::Read, chip, address);
    read.Sample().ClockIn(kWordBits).Deselect();
    const std::vector<bool> samples = m_port.Run(read);
    if (samples.front())
        return AdapterStatus::NoChip;
    std::uint16_t value = 0;
    for (unsigned i = 1; i <= kWordBits; ++i)
        value = static_cast<std::uint16_t>((value << 1) | (samples[i] ? 1 : 0));
    word = value;
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
    m_port.Run(Instruction(MicrowireInstruction::EnableWrite, chip, 0).Deselect());
}

void MicrowireBus::DisableWrite(const MicrowireGeometry& chip)
{
    m_port.Run(Instruction(MicrowireInstruction::DisableWrite, chip, 0).Deselect());
}

AdapterStatus MicrowireBus::Program(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                    std::uint32_t address, std::uint16_t word)
{
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    BusTransaction program = Instruction(instruction, chip, address);
    if (code.takesData)
        program.ClockOut(word, kWordBits);
    // Chip select falling starts the chip's own programming cycle.
    m_port.Run(program.Deselect());
    return AwaitReady(code.wholeChip ? m_timing.chipProgramTimeout : m_timing.wordProgramTimeout);
}

BusTransaction MicrowireBus::Instruction(MicrowireInstruction instruction,
                                         const MicrowireGeometry& chip, std::uint32_t address)
{
    BusTransaction transaction;
    transaction.Select().ClockOut(InstructionFrame(instruction, chip.addressBits, address),
                                  kStartAndOpcodeBits + chip.addressBits);
    return transaction;
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
