#include "StoredEepromType.h"

#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"

namespace pemrix {

const EepromTypeInfo& ReadStoredEepromType(const ProfileStore& profile)
{
    const EepromType code =
        EffectiveEepromType(
            profile.GetProfileInt(profile::kSection, profile::kEepromType, kDefaultEepromType))
            .code;
    return *FindEepromType(code, ReadStoredOrganisation(profile));
}

EepromOrganisation ReadStoredOrganisation(const ProfileStore& profile)
{
    return profile.GetProfileInt(profile::kSection, profile::kOrganisation,
                                 profile::kOrganisationWords16) == profile::kOrganisationBytes8
               ? EepromOrganisation::Bytes8
               : EepromOrganisation::Words16;
}

void StoreOrganisation(const ProfileStore& profile, EepromOrganisation organisation)
{
    profile.WriteProfileInt(profile::kSection, profile::kOrganisation,
                            organisation == EepromOrganisation::Bytes8
                                ? profile::kOrganisationBytes8
                                : profile::kOrganisationWords16);
}

} // namespace pemrix
