#include "StoredEepromType.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"

namespace pemrix {

const EepromTypeInfo& ReadStoredEepromType(const ProfileStore& profile)
{
    return EffectiveEepromType(
        profile.GetProfileInt(profile::kSection, profile::kEepromType, kDefaultEepromType));
}

} // namespace pemrix
