#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace pemrix {

// What discovery learnt about the device at one enumeration position; a record whose name is
// empty holds no parallel port.
struct PortRecord
{
    std::u16string m_strName;
    // The base of the first non-empty I/O range as at least four upper-case hex digits.
    std::string m_strAddress;
    bool m_bDisabled = false;
    bool m_bAbsent = false;
};

inline constexpr std::size_t kPortTableSize = 10;

// Indexed by enumeration position; devices further on have no record.
using PortTable = std::array<PortRecord, kPortTableSize>;

} // namespace pemrix
