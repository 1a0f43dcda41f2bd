#include "EepromTypeInfo.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<EepromTypeInfo, 6> kTypes{{
    {1, "93C46", 1002, 64, 0x003F, 8, 111},
    {2, "93C56", 1003, 128, 0x007F, 16, 112},
    {3, "93C57", 1042, 128, 0x007F, 16, 112},
    {4, "93C66", 1004, 256, 0x00FF, 32, 113},
    {5, "93C76", 1005, 512, 0x01FF, 64, 115},
    {6, "93C86", 1006, 1024, 0x03FF, 128, 116},
}};

} // namespace

std::span<const EepromTypeInfo> EepromTypes()
{
    return kTypes;
}

const EepromTypeInfo* FindEepromType(EepromType code)
{
    if (code < 1 || code > kTypes.size())
        return nullptr;
    return &kTypes[code - 1];
}

const EepromTypeInfo& EffectiveEepromType(EepromType code)
{
    const EepromTypeInfo* info = FindEepromType(code);
    return info ? *info : *FindEepromType(kDefaultEepromType);
}

const EepromTypeInfo* SisterEepromType(EepromType code)
{
    switch (code) {
    case 2:
        return FindEepromType(3);
    case 3:
        return FindEepromType(2);
    default:
        return nullptr;
    }
}

} // namespace pemrix
