#pragma once

#include <span>
#include <string_view>

namespace pemrix {

// The parts a bus is timed for, by the supply voltage the chip runs at. The faster classes
// hold for the current 93AA, 93LC, 93C, AT93C and M93C parts only; old 250 kHz parts (NM93C,
// NM93CS) at any voltage, and any part below 2.5 V, need the slowest.
enum class PartClass
{
    Any,
    From2V5,
    From4V5,
};

struct PartClassInfo
{
    PartClass partClass;
    // Its value of part_class in driver.conf.
    std::string_view name;
    std::string_view parts;
};

// The classes from the slowest, the default, to the fastest.
std::span<const PartClassInfo> PartClasses();
const PartClassInfo& PartClassOf(PartClass partClass);
const PartClassInfo* FindPartClass(std::string_view name);

} // namespace pemrix
