#include "adapter/bus/MicrowireInstruction.h"

#include "core/EnumOrderedTable.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<MicrowireInstructionCode, 7> kInstructions{{
    {MicrowireInstruction::Read, 0b10, true, 0, false, false},
    {MicrowireInstruction::Write, 0b01, true, 0, true, false},
    {MicrowireInstruction::Erase, 0b11, true, 0, false, false},
    {MicrowireInstruction::EnableWrite, 0b00, false, 0b11, false, false},
    {MicrowireInstruction::DisableWrite, 0b00, false, 0b00, false, false},
    {MicrowireInstruction::EraseAll, 0b00, false, 0b10, false, true},
    {MicrowireInstruction::WriteAll, 0b00, false, 0b01, true, true},
}};

static_assert(RowsFollowTheEnum<&MicrowireInstructionCode::instruction>(kInstructions));

} // namespace

const MicrowireInstructionCode& InstructionCode(MicrowireInstruction instruction)
{
    return kInstructions[static_cast<std::size_t>(instruction)];
}

std::uint32_t InstructionFrame(MicrowireInstruction instruction, unsigned addressBits,
                               std::uint32_t address)
{
    const MicrowireInstructionCode& code = InstructionCode(instruction);
    const std::uint32_t fieldMask = (1u << addressBits) - 1;
    const std::uint32_t field =
        code.addressed ? (address & fieldMask) : (code.fieldPrefix << (addressBits - 2));
    return (1u << (addressBits + 2)) | (code.opcode << addressBits) | field;
}

std::optional<MicrowireInstruction> DecodeInstruction(std::uint32_t opcode, std::uint32_t field,
                                                      unsigned addressBits)
{
    const std::uint32_t prefix = field >> (addressBits - 2);
    for (const MicrowireInstructionCode& code : kInstructions) {
        if (code.opcode == opcode && (code.addressed || code.fieldPrefix == prefix))
            return code.instruction;
    }
    return std::nullopt;
}

} // namespace pemrix
