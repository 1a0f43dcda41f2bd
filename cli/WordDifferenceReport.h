#pragma once

#include "cli/CommandReport.h"
#include "core/EepromTypeInfo.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pemrix {

// Two images of `type` compared cell by cell, as verify and compare report them: the first
// differing cells as lines such as "002A: chip BEEF, file 1234" (the two labels name the
// images; an 8-bit cell shows two digits), and
// the count, the listed words and the first address in the JSON object. Returns the
// differing addresses.
std::vector<std::uint32_t> ReportWordDifferences(std::span<const std::uint32_t> first,
                                                 std::span<const std::uint32_t> second,
                                                 std::string_view firstLabel,
                                                 std::string_view secondLabel,
                                                 const EepromTypeInfo& type, CommandReport& report);

} // namespace pemrix
