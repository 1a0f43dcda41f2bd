#pragma once

#include "core/EepromTypeInfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// A chip named as -c takes it: a type ("93C66") or a part's marking ("93LC66C", "AT93C66",
// "M93C66", "CAT93C66", "93AA46A"), letters in any case.
struct ChipMarking
{
    EepromType code = 0;
    // Fixed by the marking: an "A" part is 8-bit, a "B" part 16-bit; none for the rest.
    std::optional<EepromOrganisation> organisation;
};

// Nothing for a text that names no 93C46 to 93C86.
std::optional<ChipMarking> ReadChipMarking(std::string_view text);

} // namespace pemrix
