#pragma once

#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/AdapterWorld.h"

#include <string_view>

namespace pemrix {

// What the adapter registry's GPIO row does: the gpiochips a wiring names, each an adapter of
// its own under its label, reached through libgpiod with a GpioSetup of its own.

// The row's family, part of every GPIO place key.
inline constexpr std::string_view kGpioFamily = "GPIO";

// The gpiochips the wiring names, each under its label: a chip the kernel numbers anew keeps
// its place in the settings.
std::vector<AdapterPlace> ListGpioChips(const AdapterKind& kind, AdapterWorld& world);
std::shared_ptr<Adapter> OpenGpioChip(AdapterWorld& world, const AdapterPlace& place,
                                      AdapterStatus& status);
// A chip the wiring may name is missing, any other id no gpiochip's.
AdapterStatus GpioChipAbsent(const AdapterWorld& world, const PortId& id);

// libgpiod's calls, and the GpioSetup made with them and driver.conf's wiring.
std::shared_ptr<AdapterCalls> MakeGpioCalls();
std::any MakeGpioSetup(const AdapterSetupSource& source, std::vector<std::string>& notices);

} // namespace pemrix
