#pragma once

#include "core/EepromTypeInfo.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pemrix {

// The addresses, in increasing order, at which two images of one type hold different words.
std::vector<std::uint32_t> DifferingAddresses(std::span<const std::uint32_t> first,
                                              std::span<const std::uint32_t> second);

// The operation log's line for a comparison of an image of `type`:
// "Compare   3 words differ, first at 002A", or "Compare   all 64 words match"; bytes in
// 8-bit organisation.
std::string CompareLogText(std::span<const std::uint32_t> differing, const EepromTypeInfo& type);

} // namespace pemrix
