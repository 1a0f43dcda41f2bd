#include "adapter/ports/gpiod/GpioAdapterKind.h"

#include "adapter/ports/gpiod/GpiodAdapter.h"
#include "adapter/ports/gpiod/LinuxGpiodCalls.h"

namespace pemrix {

namespace {

// A world given no GPIO setup has the default wiring and no calls: no chip is ever there.
const GpioSetup& SetupIn(const AdapterWorld& world)
{
    static const GpioSetup kNone{};
    const GpioSetup* setup = world.SetupOf<GpioSetup>(kGpioFamily);
    return setup ? *setup : kNone;
}

} // namespace

std::vector<AdapterPlace> ListGpioChips(const AdapterKind& kind, AdapterWorld& world)
{
    const GpioSetup& setup = SetupIn(world);
    std::vector<AdapterPlace> places;
    if (!setup.calls)
        return places;
    for (const GpioChipEntry& chip : setup.calls->Chips()) {
        if (!setup.wiring.Names(chip))
            continue;
        const std::string node = chip.path.substr(chip.path.find_last_of('/') + 1);
        places.push_back({&kind,
                          AdapterPortId(kind.family, chip.label),
                          "GPIO adapter (" + node + ", " + chip.label + ")",
                          nullptr,
                          {},
                          chip.path});
    }
    return places;
}

std::shared_ptr<Adapter> OpenGpioChip(AdapterWorld& world, const AdapterPlace& place,
                                      AdapterStatus& status)
{
    return GpiodAdapter::Connect(SetupIn(world), place.path, status);
}

AdapterStatus GpioChipAbsent(const AdapterWorld& world, const PortId& id)
{
    for (const std::string_view label : SetupIn(world).wiring.Labels()) {
        if (AdapterPortId(kGpioFamily, label) == id)
            return AdapterStatus::GpioChipMissing;
    }
    return AdapterStatus::Ok;
}

std::shared_ptr<AdapterCalls> MakeGpioCalls()
{
    return std::make_shared<LinuxGpiodCalls>();
}

std::any MakeGpioSetup(const AdapterSetupSource& source, std::vector<std::string>& notices)
{
    return GpioSetup{std::dynamic_pointer_cast<GpiodCalls>(source.calls), source.clock,
                     source.timing, ReadGpioWiring(source.settings, notices)};
}

} // namespace pemrix
