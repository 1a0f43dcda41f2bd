#include "adapter/bus/MicrowireGeometry.h"

namespace pemrix {

std::optional<MicrowireGeometry> FindMicrowireGeometry(EepromType code)
{
    const EepromTypeInfo* type = FindEepromType(code);
    if (!type)
        return std::nullopt;
    return MicrowireGeometry{code, type->words, type->addressBits};
}

std::size_t MicrowireTypeSlot(const MicrowireGeometry& chip)
{
    return EepromTypeSlot(*FindEepromType(chip.code));
}

} // namespace pemrix
