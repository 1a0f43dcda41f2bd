#include "MemoryImage.h"

#include "HexText.h"

#include <cctype>

namespace pemrix {

namespace {

} // namespace

MemoryImage::MemoryImage() : MemoryImage(EffectiveEepromType(kDefaultEepromType)) {}

MemoryImage::MemoryImage(const EepromTypeInfo& type)
    : m_type(&type), m_cells(type.words, static_cast<std::uint16_t>((1u << type.cellBits) - 1)),
      m_lowerDigits(type.words, 0)
{
}

std::uint32_t MemoryImage::Cell(std::uint32_t address) const
{
    return address < m_cells.size() ? m_cells[address] : 0;
}

std::vector<std::uint32_t> MemoryImage::Cells() const
{
    return {m_cells.begin(), m_cells.end()};
}

void MemoryImage::SetCell(std::uint32_t address, std::uint32_t value)
{
    if (address >= m_cells.size())
        return;
    m_cells[address] = static_cast<std::uint16_t>(value & ((1u << m_type->cellBits) - 1));
    m_lowerDigits[address] = 0;
}

void MemoryImage::SetCellDigits(std::uint32_t address, std::string_view digits)
{
    if (address >= m_cells.size())
        return;
    SetCell(address, ParseHexPrefix(digits));
    std::uint8_t lower = 0;
    for (std::size_t d = 0; d < CellDigitCount(*m_type) && d < digits.size(); ++d)
        if (std::islower(static_cast<unsigned char>(digits[d])))
            lower |= static_cast<std::uint8_t>(1u << d);
    m_lowerDigits[address] = lower;
}

std::string MemoryImage::CellDigits(std::uint32_t address) const
{
    const unsigned count = CellDigitCount(*m_type);
    std::string digits = ZeroPad(FormatHex4(Cell(address)), count);
    digits.erase(0, digits.size() - count);
    const std::uint8_t lower = address < m_lowerDigits.size() ? m_lowerDigits[address] : 0;
    for (unsigned d = 0; d < count; ++d)
        if (lower & (1u << d))
            digits[d] = static_cast<char>(std::tolower(static_cast<unsigned char>(digits[d])));
    return digits;
}

} // namespace pemrix
