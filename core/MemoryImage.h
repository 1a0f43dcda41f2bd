#pragma once

#include "EepromTypeInfo.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// The memory image: the cells of one chip type, each as the value it holds. What the dump
// view shows is rendered from it (DumpText.h).
class MemoryImage
{
public:
    // An erased image of the default type.
    MemoryImage();
    // An erased image of `type`.
    explicit MemoryImage(const EepromTypeInfo& type);

    const EepromTypeInfo& Type() const { return *m_type; }
    std::uint32_t CellCount() const { return static_cast<std::uint32_t>(m_cells.size()); }
    // True when the image has the cells of `type`: its own type or one of the same size.
    bool Fits(const EepromTypeInfo& type) const
    {
        return type.words == m_type->words && type.cellBits == m_type->cellBits;
    }

    // A cell's value; a cell beyond the image reads 0.
    std::uint32_t Cell(std::uint32_t address) const;
    // Every cell in address order.
    std::vector<std::uint32_t> Cells() const;
    // Sets a cell to `value` cut to the cell's bits, shown in upper-case digits. A cell beyond
    // the image is left alone.
    void SetCell(std::uint32_t address, std::uint32_t value);
    // Sets a cell from its hexadecimal digits and keeps their case, so a ROM file's lower-case
    // digits are shown and saved as the file wrote them.
    void SetCellDigits(std::uint32_t address, std::string_view digits);
    // The cell's digits as shown: four for a 16-bit cell, two for a byte.
    std::string CellDigits(std::uint32_t address) const;

private:
    const EepromTypeInfo* m_type;
    std::vector<std::uint16_t> m_cells;
    // Per cell, bit d set where digit d from the left was given in lower case.
    std::vector<std::uint8_t> m_lowerDigits;
};

} // namespace pemrix
