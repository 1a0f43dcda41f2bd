#include "EepromTypeInfo.h"

#include <array>

namespace pemrix {

namespace {

constexpr auto kWords16 = EepromOrganisation::Words16;

constexpr std::array<EepromTypeInfo, kEepromTypeCount> kTypes{{
    {1, kWords16, "93C46", 1002, 64, 0x003F, 8, 111, 6, 16, 0, 272},
    {2, kWords16, "93C56", 1003, 128, 0x007F, 16, 112, 8, 16, 3, 528},
    {3, kWords16, "93C57", 1042, 128, 0x007F, 16, 112, 7, 16, 2, 528},
    {4, kWords16, "93C66", 1004, 256, 0x00FF, 32, 113, 8, 16, 0, 1040},
    {5, kWords16, "93C76", 1005, 512, 0x01FF, 64, 115, 10, 16, 0, 2064},
    {6, kWords16, "93C86", 1006, 1024, 0x03FF, 128, 116, 10, 16, 0, 4112},
}};

} // namespace

std::span<const EepromTypeInfo> EepromTypes()
{
    return kTypes;
}

std::size_t EepromTypeSlot(const EepromTypeInfo& type)
{
    return static_cast<std::size_t>(&type - kTypes.data());
}

const EepromTypeInfo* FindEepromType(EepromType code)
{
    for (const EepromTypeInfo& type : kTypes)
        if (type.code == code && type.organisation == kWords16)
            return &type;
    return nullptr;
}

const EepromTypeInfo& EffectiveEepromType(EepromType code)
{
    const EepromTypeInfo* info = FindEepromType(code);
    return info ? *info : *FindEepromType(kDefaultEepromType);
}

const EepromTypeInfo* SisterEepromType(EepromType code)
{
    const EepromTypeInfo* type = FindEepromType(code);
    return type && type->sister ? FindEepromType(type->sister) : nullptr;
}

} // namespace pemrix
