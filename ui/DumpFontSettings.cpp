#include "DumpFontSettings.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "ui/DumpView.h"

namespace pemrix {

DumpFontSettings ReadDumpFont(const ProfileStore& profile)
{
    return DumpFontSettings{
        profile.GetProfileString(profile::kSection, profile::kFontFace, profile::kDefaultFontFace)
            .left(DumpView::kMaxFaceLength),
        profile.GetProfileInt(profile::kSection, profile::kFontSize, profile::kDefaultFontSize)};
}

void StoreDumpFont(const ProfileStore& profile, const DumpFontSettings& font)
{
    profile.WriteProfileString(profile::kSection, profile::kFontFace, font.strFace);
    profile.WriteProfileInt(profile::kSection, profile::kFontSize, font.nSizeTwips);
}

} // namespace pemrix
