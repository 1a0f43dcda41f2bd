#pragma once

#include "core/EepromTypeInfo.h"
#include "files/RomOpenResult.h"

#include <string_view>

namespace pemrix {

// Checks a ROM file against the selected type (magic, type field, size, then every cell's
// digits) and builds the new dump text and the watch refreshes aside. `file` holds the file's
// bytes; a file longer than any ROM file may be cut after LargestRomFileSize() + 1 bytes, as
// every outcome is the same from there on.
RomOpenResult DecodeRomFile(std::string_view file, const EepromTypeInfo& selected);

} // namespace pemrix
