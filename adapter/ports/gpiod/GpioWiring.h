#pragma once

#include "adapter/DriverSettings.h"
#include "adapter/ports/gpiod/GpiodCalls.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// The driver.conf keys of the wiring: the gpiochip by label or /dev path, and the line offsets
// of CS, SK, DI and DO ("8,11,10,9").
inline constexpr std::string_view kGpioChipKey = "gpio_chip";
inline constexpr std::string_view kGpioLinesKey = "gpio_lines";
inline constexpr std::string_view kGpioSettingKeys[] = {kGpioChipKey, kGpioLinesKey};

// Which gpiochip the chip hangs on and at which line offsets. The defaults are a Raspberry
// Pi's SPI0 pins on its 40-pin header: CE0 (GPIO8, pin 24) to CS, SCLK (GPIO11, pin 23) to SK,
// MOSI (GPIO10, pin 19) to DI and MISO (GPIO9, pin 21) to DO.
struct GpioWiring
{
    // The chip's label, or its path when it starts with '/'; empty for the Raspberry Pi's
    // header chip, whatever number the kernel gave it (a Pi 5's became gpiochip0 in 2024).
    std::string chip;
    // CS, SK and DI, in that order.
    std::array<unsigned, 3> outputs{8, 11, 10};
    unsigned dataOut = 9;

    // The labels of the chips this wiring may name; none when it names a path.
    std::vector<std::string_view> Labels() const;
    // Whether this wiring names the chip.
    bool Names(const GpioChipEntry& entry) const;
};

// The wiring that driver.conf's lines of kGpioSettingKeys give; a line it cannot take keeps
// the default and adds a notice.
GpioWiring ReadGpioWiring(std::span<const DriverSettingLine> lines,
                          std::vector<std::string>& notices);

} // namespace pemrix
