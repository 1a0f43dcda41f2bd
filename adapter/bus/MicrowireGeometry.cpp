#include "adapter/bus/MicrowireGeometry.h"

namespace pemrix {

std::optional<MicrowireGeometry> FindMicrowireGeometry(EepromType code,
                                                       EepromOrganisation organisation)
{
    const EepromTypeInfo* type = FindEepromType(code, organisation);
    if (!type)
        return std::nullopt;
    return MicrowireGeometry{code, type->words, type->addressBits, type->cellBits};
}

EepromOrganisation OrganisationOf(const MicrowireGeometry& chip)
{
    return chip.dataBits == 8 ? EepromOrganisation::Bytes8 : EepromOrganisation::Words16;
}

std::size_t MicrowireTypeSlot(const MicrowireGeometry& chip)
{
    return EepromTypeSlot(*FindEepromType(chip.code, OrganisationOf(chip)));
}

} // namespace pemrix
