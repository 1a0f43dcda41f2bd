#pragma once

#include <QString>

#include <cstdint>

namespace pemrix {

class ProfileStore;

// The dump view's font as the profile keeps it: a face name and a height in twentieths of a
// point.
struct DumpFontSettings
{
    QString strFace;
    std::uint32_t nSizeTwips = 0;

    bool operator==(const DumpFontSettings&) const = default;
};

// The stored font, or 9-point Courier New; a face name edited by hand past the longest the
// dump font takes comes back cut to that length.
DumpFontSettings ReadDumpFont(const ProfileStore& profile);

void StoreDumpFont(const ProfileStore& profile, const DumpFontSettings& font);

} // namespace pemrix
