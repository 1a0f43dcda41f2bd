#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"
#include "files/RomOpenResult.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// The longest .e2p file of a 93-series part: the header and a 93C86's 2048 bytes.
std::size_t LargestE2pFileSize();

// An .e2p image is accepted when its id and both CRCs are right, its device is the selected
// type or the one of the same size (93C56 and 93C57) in the selected organisation, and it
// holds exactly that type's bytes. `file` holds the file's first bytes (at least one more
// than the largest such file, when the file has them), `fileSize` its whole size.
RomOpenResult DecodeE2pFile(std::string_view file, std::uint64_t fileSize,
                            const EepromTypeInfo& selected);

// The image as an .e2p image of the selected type, with "pemrix" and the local date of
// `savedAt` as its comment; nothing when the image does not fit the type.
std::optional<std::string> EncodeE2pFile(const MemoryImage& image, const EepromTypeInfo& selected,
                                         std::time_t savedAt);

} // namespace pemrix
