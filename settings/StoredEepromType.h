#pragma once

#include "core/EepromTypeInfo.h"

namespace pemrix {

class ProfileStore;

// The selected chip type as every consumer reads it: "EEPROM TYPE" at this moment, with a
// value outside 1 to 6 taken as the default type.
const EepromTypeInfo& ReadStoredEepromType(const ProfileStore& profile);

} // namespace pemrix
