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

// The udev rule's lines, in the registry's order: a uaccess line for every usable USB product,
// and each kind's own lines.
std::vector<std::string> UdevRuleLines();

} // namespace pemrix
