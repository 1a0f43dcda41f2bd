#include "adapter/bus/MicrowireBus.h"

namespace pemrix {

namespace {

constexpr unsigned kWordBits = 16;
constexpr unsigned kStartAndOpcodeBits = 3;

} // namespace

MicrowireBus::MicrowireBus(LinePort& port, BusClock& clock, const BusTiming& timing)
    : m_port(port), m_clock(clock), m_timing(timing)
{
}

AdapterStatus MicrowireBus::Read(const MicrowireGeometry& chip, std::uint32_t address,
                                 std::uint16_t& word)
{
    SendInstruction(MicrowireInstruction::Read, chip, address);
    // The chip drives its dummy 0 from the last address bit's rising edge on, so it is read
    // before the first data clock, without a clock of its own.
    m_port.SetLine(DriveLine::DataIn, false);
    m_port.Flush();
    HalfPeriod();
    const bool dummyBit = m_port.ReadDataOut();
    std::uint16_t value = 0;
    for (unsigned i = 0; i < kWordBits; ++i)
        value = static_cast<std::uint16_t>((value << 1) | (ClockIn() ? 1 : 0));
    EndFrame();
    if (dummyBit)
        return AdapterStatus::NoChip;
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
    SendInstruction(MicrowireInstruction::EnableWrite, chip, 0);
    EndFrame();
}

void MicrowireBus::DisableWrite(const MicrowireGeometry& chip)
{
    SendInstruction(MicrowireInstruction::DisableWrite, chip, 0);
    EndFrame();
}

AdapterStatus MicrowireBus::Program(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                    std::uint32_t address, std::uint16_t word)
{
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    SendInstruction(instruction, chip, address);
    if (code.takesData)
        ShiftOut(word, kWordBits);
    // Chip select falling starts the chip's own programming cycle.
    EndFrame();
    return AwaitReady(code.wholeChip ? m_timing.chipProgramTimeout : m_timing.wordProgramTimeout);
}

void MicrowireBus::SendInstruction(MicrowireInstruction instruction, const MicrowireGeometry& chip,
                                   std::uint32_t address)
{
    BeginFrame();
    ShiftOut(InstructionFrame(instruction, chip.addressBits, address),
             kStartAndOpcodeBits + chip.addressBits);
}

void MicrowireBus::BeginFrame()
{
    m_port.SetLine(DriveLine::Clock, false);
    m_port.SetLine(DriveLine::DataIn, false);
    m_port.SetLine(DriveLine::ChipSelect, true);
    m_port.Flush();
    HalfPeriod();
}

void MicrowireBus::ShiftOut(std::uint32_t bits, unsigned count)
{
    // DI changes together with the falling clock edge, half a period clear of the rising edge
    // that samples it; the last falling edge is left for the caller to flush.
    for (unsigned i = count; i-- > 0;) {
        m_port.SetLine(DriveLine::DataIn, ((bits >> i) & 1) != 0);
        m_port.Flush();
        HalfPeriod();
        m_port.SetLine(DriveLine::Clock, true);
        m_port.Flush();
        HalfPeriod();
        m_port.SetLine(DriveLine::Clock, false);
    }
}

bool MicrowireBus::ClockIn()
{
    m_port.SetLine(DriveLine::Clock, true);
    m_port.Flush();
    HalfPeriod();
    m_port.SetLine(DriveLine::Clock, false);
    m_port.Flush();
    HalfPeriod();
    return m_port.ReadDataOut();
}

void MicrowireBus::EndFrame()
{
    m_port.SetLine(DriveLine::Clock, false);
    m_port.SetLine(DriveLine::DataIn, false);
    m_port.SetLine(DriveLine::ChipSelect, false);
    m_port.Flush();
    m_clock.Wait(m_timing.chipSelectLow);
}

AdapterStatus MicrowireBus::AwaitReady(std::chrono::nanoseconds timeout)
{
    // With chip select high again and DI low the chip shows busy as DO low and ready as DO
    // high; polling, rather than waiting a fixed time, costs each word only its own cycle.
    m_port.SetLine(DriveLine::ChipSelect, true);
    m_port.Flush();
    const std::chrono::nanoseconds start = m_clock.Now();
    AdapterStatus status = AdapterStatus::ChipBusy;
    while (m_clock.Now() - start < timeout) {
        m_clock.Wait(m_timing.pollInterval);
        if (m_port.ReadDataOut()) {
            status = AdapterStatus::Ok;
            break;
        }
    }
    m_port.SetLine(DriveLine::ChipSelect, false);
    m_port.Flush();
    m_clock.Wait(m_timing.chipSelectLow);
    return status;
}

void MicrowireBus::HalfPeriod()
{
    m_clock.Wait(m_timing.halfPeriod);
}

} // namespace pemrix
