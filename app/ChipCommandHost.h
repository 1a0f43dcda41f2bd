#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>

namespace pemrix {

// What the chip commands need of the main window: its memory image, its type selection and
// its operation log.
class ChipCommandHost
{
public:
    virtual ~ChipCommandHost() = default;

    // The memory image as the window holds it.
    virtual const MemoryImage& CurrentImage() const = 0;
    // Pull, every word of the image replaced (the watch list told of each), push.
    virtual void RebuildDump(const EepromTypeInfo& type, std::span<const std::uint32_t> words) = 0;
    // Selects a type, size and organisation, as its type button and the window menu do, with
    // the image reset that goes with it.
    virtual void SelectChipType(const EepromTypeInfo& type) = 0;
    // A log line with the time of day; `scroll` brings it into view.
    virtual void AppendLogLine(std::time_t time, const std::string& text, bool scroll) = 0;
};

} // namespace pemrix
