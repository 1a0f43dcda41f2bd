#pragma once

#include "core/MemoryImage.h"
#include "files/FileMessage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pemrix {

enum class RomOpenOutcome
{
    Accepted, // install image, then apply every refresh in order
    Ignored,  // a file of the wrong size: nothing is shown and nothing changes
    Message,  // show message; nothing changes
};

// One watch refresh: every watch row at nAddress shows strText read as hexadecimal.
struct RomWordRefresh
{
    std::uint32_t nAddress = 0;
    std::string strText;

    bool operator==(const RomWordRefresh&) const = default;
};

// What Open hands back; the new image is built aside, so the caller's image stays as it
// was unless the whole file was read and accepted.
struct RomOpenResult
{
    RomOpenOutcome outcome = RomOpenOutcome::Ignored;
    // Only an accepted file gives an image.
    std::optional<MemoryImage> image;
    std::vector<RomWordRefresh> refreshes;
    FileMessage message;
};

// The result that shows `message` and changes nothing.
inline RomOpenResult RomOpenMessage(FileMessage message)
{
    RomOpenResult result;
    result.outcome = RomOpenOutcome::Message;
    result.message = std::move(message);
    return result;
}

} // namespace pemrix
