#pragma once

#include <cstdint>

namespace pemrix {

// The virtual adapter's pseudo I/O base. It lies above 0xFFFF, so it can never be taken for
// a real port, and a custom port typed in Options (always below 0xFFFF) can never reach it.
inline constexpr std::uint32_t kVirtualAdapterBase = 0x93C00;

} // namespace pemrix
