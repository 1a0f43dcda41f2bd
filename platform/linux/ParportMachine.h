#pragma once

#include "settings/PortMachine.h"

#include <filesystem>

namespace pemrix {

// Where the kernel lists its parallel ports, one parportN folder each.
inline constexpr const char* kParportProcRoot = "/proc/sys/dev/parport";

// The machine as discovery sees it on Linux: every parportN below the root in number order,
// each with its base address as one I/O range.
PortMachine DescribeParportMachine(const std::filesystem::path& parportRoot);

} // namespace pemrix
