#pragma once

#include "core/EepromTypeInfo.h"

namespace pemrix {

class ProfileStore;

// The selected chip type as every consumer reads it: "EEPROM TYPE" at this moment, with a
// value outside 1 to 6 taken as the default type, in the organisation stored beside it.
const EepromTypeInfo& ReadStoredEepromType(const ProfileStore& profile);

// The organisation chosen in the window: 8-bit only when the profile says 8.
EepromOrganisation ReadStoredOrganisation(const ProfileStore& profile);
void StoreOrganisation(const ProfileStore& profile, EepromOrganisation organisation);

} // namespace pemrix
