#include "WordDifferences.h"

#include "core/HexText.h"

#include <algorithm>

namespace pemrix {

std::vector<std::uint32_t> DifferingAddresses(std::span<const std::uint32_t> first,
                                              std::span<const std::uint32_t> second)
{
    std::vector<std::uint32_t> addresses;
    const std::size_t words = std::min(first.size(), second.size());
    for (std::size_t address = 0; address < words; ++address)
        if (first[address] != second[address])
            addresses.push_back(static_cast<std::uint32_t>(address));
    return addresses;
}

std::string CompareLogText(std::span<const std::uint32_t> differing, const EepromTypeInfo& type)
{
    if (differing.empty())
        return "Compare   all " + CellCountText(type, type.words) + " match";
    return "Compare   " + CellCountText(type, differing.size()) +
           (differing.size() == 1 ? " differs" : " differ") + ", first at " +
           FormatHex4(differing.front());
}

} // namespace pemrix
