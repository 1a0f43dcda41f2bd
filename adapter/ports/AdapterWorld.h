#pragma once

#include "adapter/ports/ppdev/ParportDirectory.h"
#include "adapter/ports/ppdev/PpdevAdapter.h"
#include "adapter/ports/usb/UsbSetup.h"
#include "adapter/virtual/VirtualAdapter.h"

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>

namespace pemrix {

// The setups of the adapter kinds with calls of their own, by the family of their row, each
// of the type its row makes (a GPIO adapter's GpioSetup).
using AdapterSetups = std::map<std::string_view, std::any, std::less<>>;

// What the registry's rows find and open adapters through. Listing the port list's adapters
// needs only the USB calls and the kinds' own setups; the rest is the driver's.
struct AdapterWorld
{
    std::shared_ptr<VirtualAdapter> virtualAdapter;
    std::optional<ParportDirectory> parports;
    PpdevSetup ppdev;
    UsbSetup usb;
    AdapterSetups setups;

    // The setup of the kind of that family; nullptr when it was given none.
    template <class Setup> const Setup* SetupOf(std::string_view family) const
    {
        const auto found = setups.find(family);
        return found == setups.end() ? nullptr : std::any_cast<Setup>(&found->second);
    }
};

} // namespace pemrix
