#pragma once

#include "adapter/ports/AdapterKind.h"
#include "adapter/ports/AdapterWorld.h"

#include <span>
#include <string>
#include <vector>

namespace pemrix {

// Every kind of adapter the built-in driver drives, one row each.
std::span<const AdapterKind> AdapterKinds();

// The adapters there now, in the port list's enumeration order: the virtual adapter, then the
// USB adapters in the order libusb lists them, then the others. Parallel ports are not among
// them: the operating system's port walk finds those.
std::vector<AdapterPlace> ListAdapters(AdapterWorld& world);

// Connects the port `id` names; nullptr and the reason when nothing usable is there.
std::shared_ptr<Adapter> ConnectPort(AdapterWorld& world, const PortId& id, AdapterStatus& status);

// The production driver's calls of every kind that has calls of its own.
AdapterCallsByFamily ProductionAdapterCalls();

// The setups of the kinds with calls of their own: each from its calls in `calls` (none there:
// none of its adapters is ever there), the clock, and the settings' timing and its own keys'
// lines; what a kind could not take adds a line to `notices`, where given.
AdapterSetups MakeAdapterSetups(const AdapterCallsByFamily& calls,
                                const std::shared_ptr<BusClock>& clock,
                                const DriverSettings& settings, std::vector<std::string>* notices);

// The udev rule's lines, in the registry's order: a uaccess line for every usable USB product,
// and each kind's own lines.
std::vector<std::string> UdevRuleLines();

} // namespace pemrix
