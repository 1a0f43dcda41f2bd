#pragma once

#include "settings/PortComboEntry.h"

#include <cstdint>
#include <ostream>

namespace pemrix {

// A port combo entry written down in a test.
PortComboEntry ComboEntry(const char* text, std::uint32_t address);

// Readable combo entries in test failures.
void PrintTo(const PortComboEntry& entry, std::ostream* out);

} // namespace pemrix
