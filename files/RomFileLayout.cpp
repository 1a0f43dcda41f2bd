#include "RomFileLayout.h"

#include <algorithm>

namespace pemrix {

std::size_t RomFileSize(const EepromTypeInfo& type)
{
    return type.romFileSize;
}

std::size_t LargestRomFileSize()
{
    std::size_t largest = 0;
    for (const EepromTypeInfo& type : AllEepromTypes())
        largest = std::max(largest, RomFileSize(type));
    return largest;
}

std::string RomTypeField(const EepromTypeInfo& type)
{
    std::string field = ChipTypeName(type);
    field.resize(kRomTypeFieldLength, ' ');
    return field;
}

} // namespace pemrix
