#pragma once

#include "adapter/bus/BusTiming.h"
#include "adapter/chip/ChipTiming.h"
#include "adapter/ports/ppdev/CableProfile.h"
#include "core/EepromTypeInfo.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// One key = value line of driver.conf.
struct DriverSettingLine
{
    std::string key;
    std::string value;
};

// The built-in driver's own per-user settings (driver.conf), a few key=value lines:
//   cable = stk200        (or dt006)
//   part_class = any      (or 2.5v, 4.5v: the parts and supply the bus is timed for)
//   half_period_ns = 2000 (the clock's half period; the class's own is the shortest taken, 2000
//                          (250 kHz) for any part, so shorter ones are raised to it)
//   virtual_socket = 93C66 (the virtual adapter holds one chip, which every type meets;
//                           "93C66 x8" for one in 8-bit organisation)
//   dummy_bit_check_only = false (true for a cable without a pull-up on DO)
//   rewrite_equal_words = false  (true: WriteAll programs even the words the chip holds)
//   virtual_real_time = false    (true: the virtual adapter takes as long as a real chip)
// and the keys of the adapter kinds that have their own (gpio_chip, gpio_lines), which their
// registry rows read. '#' starts a comment. Unknown keys are ignored; an unusable value keeps
// the default.
struct DriverSettings
{
    const CableProfile* cable = &CableProfiles().front();
    BusTiming timing = BusTimingFor(PartClass::Any);
    // One line for the user for every value the driver did not take as written.
    std::vector<std::string> notices;
    // The type of the virtual adapter's one socketed chip, or 0 for one chip per type.
    EepromType virtualSocket = 0;
    EepromOrganisation virtualSocketOrganisation = EepromOrganisation::Words16;
    // The virtual adapter's commands last as long as on hardware, so the progress window and
    // its Stop can be tried without any.
    bool virtualRealTime = false;
    // The lines whose keys the driver does not read itself, in the file's order: an adapter
    // kind's own are among them.
    std::vector<DriverSettingLine> adapterLines;
};

DriverSettings ParseDriverSettings(std::string_view text);

// How a notice names a setting: "driver.conf: cable = dt005".
std::string DriverSettingText(std::string_view key, std::string_view value);
// A key, value or list item without the blanks around it.
std::string_view TrimmedSetting(std::string_view text);

// The settings in `file`; defaults when it is missing or unreadable.
DriverSettings LoadDriverSettings(const std::filesystem::path& file);

} // namespace pemrix
