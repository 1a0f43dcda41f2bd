#pragma once

#include <cstddef>

namespace pemrix {

// True when row i of `table` is the row of enum value i, so a value finds its row by index.
template <auto Key, typename Table> constexpr bool RowsFollowTheEnum(const Table& table)
{
    std::size_t index = 0;
    for (const auto& row : table) {
        if (static_cast<std::size_t>(row.*Key) != index++)
            return false;
    }
    return true;
}

} // namespace pemrix
