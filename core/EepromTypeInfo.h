#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pemrix {

// The chip type code as stored under "EEPROM TYPE" and sent to the driver: 1 to 6. It names
// the size; the organisation is a second fact of the type.
using EepromType = std::uint32_t;

inline constexpr EepromType kDefaultEepromType = 2;

// How the chip's cells are cut: 16-bit words (ORG high) or bytes (ORG low).
enum class EepromOrganisation
{
    Words16,
    Bytes8,
};

// Every fact of one chip type; each table that needs one of them derives it from here.
struct EepromTypeInfo
{
    EepromType code;
    EepromOrganisation organisation;
    std::string_view name;
    int buttonId;
    // The number of cells: 16-bit words in Words16, bytes in Bytes8.
    std::uint32_t words;
    std::uint32_t highestAddress;
    std::uint32_t rows;
    int labelListId;
    // Width of the instruction's address field; 93C56 and 93C76 carry one leading
    // don't-care bit in it.
    unsigned addressBits;
    unsigned cellBits;
    // The type that shares size and labels with this one (93C56 and 93C57), or 0.
    EepromType sister;
    // The length of this type's ROM file: header and four digits a word, which is two
    // digits a byte in 8-bit organisation.
    std::size_t romFileSize;
};

// The six 16-bit types in code order, as the type buttons and "EEPROM TYPE" know them.
std::span<const EepromTypeInfo> EepromTypes();

// The six types of one organisation in code order.
std::span<const EepromTypeInfo> EepromTypes(EepromOrganisation organisation);

// Every row: the six 16-bit types, then the six 8-bit ones.
std::span<const EepromTypeInfo> AllEepromTypes();

// The number of rows of AllEepromTypes(), for tables kept per type.
inline constexpr std::size_t kEepromTypeCount = 12;

// The position of a row in AllEepromTypes().
std::size_t EepromTypeSlot(const EepromTypeInfo& type);

// The 16-bit row for a code, or nullptr when the code is outside 1 to 6.
const EepromTypeInfo* FindEepromType(EepromType code);

// The row of a size in an organisation, or nullptr when the code is outside 1 to 6.
const EepromTypeInfo* FindEepromType(EepromType code, EepromOrganisation organisation);

// The row every consumer uses: a code outside 1 to 6 counts as the default type.
const EepromTypeInfo& EffectiveEepromType(EepromType code);

// The type that shares size and labels with this one (93C56 and 93C57), or nullptr.
const EepromTypeInfo* SisterEepromType(EepromType code);
// The same, in the type's own organisation.
const EepromTypeInfo* SisterEepromType(const EepromTypeInfo& type);

// A type as messages, log lines and ROM files name it: "93C66", or "93C66 x8" in 8-bit
// organisation.
std::string ChipTypeName(const EepromTypeInfo& type);

// The hexadecimal digits of one cell: four for a word, two for a byte.
unsigned CellDigitCount(const EepromTypeInfo& type);

// "1 word", "3 words", or in 8-bit organisation "1 byte", "3 bytes".
std::string CellCountText(const EepromTypeInfo& type, std::size_t count);

// The bytes an image of the type fills in a raw file: two a word, one a byte.
std::uint64_t ImageByteCount(const EepromTypeInfo& type);

} // namespace pemrix
