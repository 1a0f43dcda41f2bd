#include "EepromTypeInfo.h"

#include <array>

namespace pemrix {

namespace {

constexpr auto kWords16 = EepromOrganisation::Words16;
constexpr auto kBytes8 = EepromOrganisation::Bytes8;
constexpr std::size_t kSizes = 6;

// The 8-bit rows follow the makers' datasheets for ORG low (or the fixed "A" parts): the
// address field is one bit wider than in 16-bit organisation, data is 8 bits, and the opcode
// 00 instructions (EWEN, EWDS, ERAL, WRAL) carry one more don't-care bit. They have no label
// list of their own; the dump renders its labels.
constexpr std::array<EepromTypeInfo, kEepromTypeCount> kTypes{{
    {1, kWords16, "93C46", 1002, 64, 0x003F, 8, 111, 6, 16, 0, 272},
    {2, kWords16, "93C56", 1003, 128, 0x007F, 16, 112, 8, 16, 3, 528},
    {3, kWords16, "93C57", 1042, 128, 0x007F, 16, 112, 7, 16, 2, 528},
    {4, kWords16, "93C66", 1004, 256, 0x00FF, 32, 113, 8, 16, 0, 1040},
    {5, kWords16, "93C76", 1005, 512, 0x01FF, 64, 115, 10, 16, 0, 2064},
    {6, kWords16, "93C86", 1006, 1024, 0x03FF, 128, 116, 10, 16, 0, 4112},
    // Microchip 93AA46/93LC46/93C46 (A and C parts; DS21929): READ 1 10 A6-A0, 7 bits.
    {1, kBytes8, "93C46", 1002, 128, 0x007F, 16, 0, 7, 8, 0, 272},
    // Microchip 93AA56/93LC56/93C56 (DS21794): 1 10 X A7-A0, 9 bits, the first don't-care.
    {2, kBytes8, "93C56", 1003, 256, 0x00FF, 32, 0, 9, 8, 3, 528},
    // onsemi (Catalyst) CAT93C57: A7-A0, 8 address bits.
    {3, kBytes8, "93C57", 1042, 256, 0x00FF, 32, 0, 8, 8, 2, 528},
    // Microchip 93AA66/93LC66/93C66 (DS21929): A8-A0, 9 address bits.
    {4, kBytes8, "93C66", 1004, 512, 0x01FF, 64, 0, 9, 8, 0, 1040},
    // Microchip 93AA76/93LC76/93C76 (DS21796): X A9-A0, 11 bits, the first don't-care.
    {5, kBytes8, "93C76", 1005, 1024, 0x03FF, 128, 0, 11, 8, 0, 2064},
    // Microchip 93AA86/93LC86/93C86 (DS21797): A10-A0, 11 address bits.
    {6, kBytes8, "93C86", 1006, 2048, 0x07FF, 256, 0, 11, 8, 0, 4112},
}};

} // namespace

std::span<const EepromTypeInfo> EepromTypes()
{
    return EepromTypes(kWords16);
}

std::span<const EepromTypeInfo> EepromTypes(EepromOrganisation organisation)
{
    return std::span<const EepromTypeInfo>(kTypes).subspan(organisation == kWords16 ? 0 : kSizes,
                                                           kSizes);
}

std::span<const EepromTypeInfo> AllEepromTypes()
{
    return kTypes;
}

std::size_t EepromTypeSlot(const EepromTypeInfo& type)
{
    return static_cast<std::size_t>(&type - kTypes.data());
}

const EepromTypeInfo* FindEepromType(EepromType code)
{
    return FindEepromType(code, kWords16);
}

const EepromTypeInfo* FindEepromType(EepromType code, EepromOrganisation organisation)
{
    for (const EepromTypeInfo& type : EepromTypes(organisation))
        if (type.code == code)
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

const EepromTypeInfo* SisterEepromType(const EepromTypeInfo& type)
{
    return type.sister ? FindEepromType(type.sister, type.organisation) : nullptr;
}

std::string ChipTypeName(const EepromTypeInfo& type)
{
    std::string name(type.name);
    if (type.organisation == kBytes8)
        name += " x8";
    return name;
}

unsigned CellDigitCount(const EepromTypeInfo& type)
{
    return type.cellBits / 4;
}

std::string CellCountText(const EepromTypeInfo& type, std::size_t count)
{
    const std::string noun = type.organisation == kBytes8 ? " byte" : " word";
    return std::to_string(count) + noun + (count == 1 ? "" : "s");
}

std::uint64_t ImageByteCount(const EepromTypeInfo& type)
{
    return std::uint64_t{type.words} * type.cellBits / 8;
}

} // namespace pemrix
