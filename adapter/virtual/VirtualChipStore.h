#pragma once

#include "core/EepromTypeInfo.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace pemrix {

// The virtual chips' cells, one file per type (virtual-93C46.bin ... for 16-bit chips, of two
// little-endian bytes per word; virtual-93C46-x8.bin ... for 8-bit ones, a byte per cell).
class VirtualChipStore
{
public:
    explicit VirtualChipStore(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return m_folder; }
    std::filesystem::path PathFor(const EepromTypeInfo& type) const;
    // The stored words; a missing, unreadable or wrongly sized file gives a blank chip.
    std::vector<std::uint16_t> Load(const EepromTypeInfo& type) const;
    // Replaces the file atomically (temporary file, fsync, rename), so a crash leaves either
    // the old words or the new ones. False when the words could not be stored.
    bool Save(const EepromTypeInfo& type, std::span<const std::uint16_t> words) const;

private:
    std::filesystem::path m_folder;
};

} // namespace pemrix
