#pragma once

#include <cstdint>
#include <optional>

namespace pemrix {

// The seven instructions the driver uses, alike in both organisations but for the widths.
enum class MicrowireInstruction
{
    Read,
    Write,
    Erase,
    EnableWrite,
    DisableWrite,
    EraseAll,
    WriteAll,
};

// How an instruction is framed after its start bit.
struct MicrowireInstructionCode
{
    MicrowireInstruction instruction;
    std::uint32_t opcode;
    // Addressed instructions carry the cell address in the address field; the opcode 00 ones
    // are told apart by the field's top two bits instead, the rest clocked as zeros (one more
    // of them in 8-bit organisation, whose field is a bit wider).
    bool addressed;
    std::uint32_t fieldPrefix;
    // A cell's data bits follow the address field (into the chip).
    bool takesData;
    // Programs the whole chip, so its self-timed cycle is allowed the longer timeout.
    bool wholeChip;
};

const MicrowireInstructionCode& InstructionCode(MicrowireInstruction instruction);

// Start bit, opcode and address field as one number of 3 + addressBits bits, MSB first.
std::uint32_t InstructionFrame(MicrowireInstruction instruction, unsigned addressBits,
                               std::uint32_t address);

// The instruction a chip reads from an opcode and its address field.
std::optional<MicrowireInstruction> DecodeInstruction(std::uint32_t opcode, std::uint32_t field,
                                                      unsigned addressBits);

} // namespace pemrix
