#include "adapter/bus/MicrowireGeometry.h"

#include <array>

namespace pemrix {

namespace {

// Address field widths of 93C46, 93C56, 93C57, 93C66, 93C76 and 93C86, in type code order.
constexpr std::array<unsigned, 6> kAddressBits{6, 8, 7, 8, 10, 10};

} // namespace

std::optional<MicrowireGeometry> FindMicrowireGeometry(EepromType code)
{
    const EepromTypeInfo* type = FindEepromType(code);
    if (!type)
        return std::nullopt;
    return MicrowireGeometry{code, type->words, kAddressBits[code - 1]};
}

} // namespace pemrix
