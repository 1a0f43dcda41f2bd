#include "adapter/bus/PartClass.h"

#include "core/EnumOrderedTable.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<PartClassInfo, 3> kClasses{{
    {PartClass::Any, "any", "any 93Cxx part at any supply voltage (250 kHz)"},
    {PartClass::From2V5, "2.5v", "93AA, 93LC, 93C, AT93C and M93C parts at 2.5 V or more (1 MHz)"},
    {PartClass::From4V5, "4.5v", "the same parts at 4.5 to 5.5 V (2 MHz)"},
}};

static_assert(RowsFollowTheEnum<&PartClassInfo::partClass>(kClasses));

} // namespace

std::span<const PartClassInfo> PartClasses()
{
    return kClasses;
}

const PartClassInfo& PartClassOf(PartClass partClass)
{
    return kClasses[static_cast<std::size_t>(partClass)];
}

const PartClassInfo* FindPartClass(std::string_view name)
{
    for (const PartClassInfo& info : kClasses) {
        if (info.name == name)
            return &info;
    }
    return nullptr;
}

} // namespace pemrix
