#include "adapter/ports/AdapterRegistry.h"

#include "adapter/ports/ch341a/Ch341aAdapter.h"
#include "adapter/ports/ch347/Ch347Adapter.h"
#include "adapter/ports/ft232h/Ft232hAdapter.h"
#include "adapter/ports/gpiod/GpioAdapterKind.h"
#include "adapter/ports/gpiod/GpioWiring.h"
#include "adapter/ports/usb/UsbAdapterDirectory.h"

#include <algorithm>
#include <cstdio>

namespace pemrix {

namespace {

std::vector<AdapterPlace> ListVirtualAdapter(const AdapterKind& kind, AdapterWorld&)
{
    return {{&kind, kVirtualPortId, "Virtual Adapter (LPT Simulator)", nullptr, {}, {}}};
}

std::shared_ptr<Adapter> OpenVirtualAdapter(AdapterWorld& world, const AdapterPlace&,
                                            AdapterStatus&)
{
    return world.virtualAdapter;
}

std::shared_ptr<Adapter> OpenParallelPort(AdapterWorld& world, const AdapterPlace& place,
                                          AdapterStatus& status)
{
    const std::optional<std::filesystem::path> device =
        world.parports ? world.parports->DeviceFor(place.id.key) : std::nullopt;
    if (!device) {
        status = AdapterStatus::NoPort;
        return nullptr;
    }
    return std::make_shared<PpdevAdapter>(world.ppdev, *device, world.parports->EntryFor(*device));
}

std::shared_ptr<Adapter> OpenCh341a(AdapterWorld& world, const AdapterPlace& place,
                                    AdapterStatus& status)
{
    return Ch341aAdapter::Connect(world.usb, place, status);
}

std::shared_ptr<Adapter> OpenCh347(AdapterWorld& world, const AdapterPlace& place,
                                   AdapterStatus& status)
{
    return Ch347Adapter::Connect(world.usb, place, status);
}

std::shared_ptr<Adapter> OpenFt232h(AdapterWorld& world, const AdapterPlace& place,
                                    AdapterStatus& status)
{
    return Ft232hAdapter::Connect(world.usb, place, status);
}

constexpr AdapterStatus kParallelPortStatuses[] = {
    AdapterStatus::NoPort,
    AdapterStatus::PortHeld,
    AdapterStatus::AdapterNotDetected,
    AdapterStatus::PpdevNotLoaded,
    AdapterStatus::PortNotPermitted,
};
constexpr std::string_view kParallelPortUdevLines[] = {
    R"(SUBSYSTEM=="ppdev", KERNEL=="parport[0-9]*", GROUP="lp", MODE="0660", TAG+="uaccess")",
};
constexpr AdapterStatus kVirtualStatuses[] = {AdapterStatus::VirtualChipNotSaved};

constexpr UsbAdapterModel kCh341aModels[] = {
    {0x1A86, 0x5512, "CH341A USB adapter"},
    {0x1A86, 0x5523, "CH341A USB adapter in UART mode", AdapterStatus::Ch341aUartMode},
};
constexpr AdapterStatus kCh341aStatuses[] = {AdapterStatus::Ch341aUartMode};

// The CH347T in mode 1 and the CH347F, through their vendor interface's SPI engine.
constexpr UsbAdapterModel kCh347Models[] = {
    {0x1A86, 0x55DB, "CH347T USB adapter"},
    {0x1A86, 0x55DE, "CH347F USB adapter"},
};
constexpr AdapterStatus kCh347Statuses[] = {AdapterStatus::AdapterTooFastForParts};

constexpr AdapterStatus kGpioStatuses[] = {
    AdapterStatus::GpioChipMissing, AdapterStatus::GpioNotPermitted, AdapterStatus::GpioLineBusy,
    AdapterStatus::GpioLineMissing};

constexpr UsbAdapterModel kFt232hModels[] = {{0x0403, 0x6014, "FT232H USB adapter"}};
// Channels A and B have the MPSSE engine; an FT4232H's C and D do not.
constexpr UsbAdapterModel kFt2232hModels[] = {
    {0x0403, 0x6010, "FT2232H USB adapter, channel A"},
    {0x0403, 0x6010, "FT2232H USB adapter, channel B", AdapterStatus::Ok, 1},
};
constexpr UsbAdapterModel kFt4232hModels[] = {
    {0x0403, 0x6011, "FT4232H USB adapter, channel A"},
    {0x0403, 0x6011, "FT4232H USB adapter, channel B", AdapterStatus::Ok, 1},
};

// Rows of one USB family share their place keys, so a CH341A whose mode jumper is moved keeps
// its place in the settings.
const AdapterKind kKinds[] = {
    {PortId::Kind::ParallelPort,
     "Parallel port",
     "ports",
     {},
     kParallelPortStatuses,
     nullptr,
     OpenParallelPort,
     kParallelPortUdevLines},
    {PortId::Kind::Virtual,
     "Virtual",
     "ports",
     {},
     kVirtualStatuses,
     ListVirtualAdapter,
     OpenVirtualAdapter},
    {PortId::Kind::Adapter, "CH341A", "ch341a", kCh341aModels, kCh341aStatuses, nullptr,
     OpenCh341a},
    {PortId::Kind::Adapter, "CH347", "ch347", kCh347Models, kCh347Statuses, nullptr, OpenCh347},
    {PortId::Kind::Adapter, "FT232H", "ft232h", kFt232hModels, {}, nullptr, OpenFt232h},
    {PortId::Kind::Adapter, "FT2232H", "ft232h", kFt2232hModels, {}, nullptr, OpenFt232h},
    {PortId::Kind::Adapter, "FT4232H", "ft232h", kFt4232hModels, {}, nullptr, OpenFt232h},
    {.portKind = PortId::Kind::Adapter,
     .family = kGpioFamily,
     .helpAnchor = "gpio",
     .usbModels = {},
     .statuses = kGpioStatuses,
     .list = ListGpioChips,
     .open = OpenGpioChip,
     .extraUdevLines = {},
     .makeCalls = MakeGpioCalls,
     .settingKeys = kGpioSettingKeys,
     .makeSetup = MakeGpioSetup,
     .absent = GpioChipAbsent},
};

const AdapterKind* KindOfPorts(PortId::Kind portKind)
{
    for (const AdapterKind& kind : kKinds) {
        if (kind.portKind == portKind)
            return &kind;
    }
    return nullptr;
}

std::string UsbUdevLine(const UsbAdapterModel& model)
{
    char line[128];
    std::snprintf(
        line, sizeof line,
        R"(SUBSYSTEM=="usb", ATTR{idVendor}=="%04x", ATTR{idProduct}=="%04x", TAG+="uaccess")",
        model.vendor, model.product);
    return line;
}

} // namespace

std::span<const AdapterKind> AdapterKinds()
{
    return kKinds;
}

std::vector<AdapterPlace> ListAdapters(AdapterWorld& world)
{
    std::vector<AdapterPlace> places;
    const auto listBy = [&](const AdapterKind& kind) {
        for (AdapterPlace& place : kind.list(kind, world))
            places.push_back(std::move(place));
    };
    for (const AdapterKind& kind : kKinds) {
        if (kind.list && kind.portKind == PortId::Kind::Virtual)
            listBy(kind);
    }
    if (world.usb.usb) {
        for (AdapterPlace& place : PluggedUsbAdapters(*world.usb.usb, kKinds))
            places.push_back(std::move(place));
    }
    for (const AdapterKind& kind : kKinds) {
        if (kind.list && kind.portKind == PortId::Kind::Adapter)
            listBy(kind);
    }
    return places;
}

std::shared_ptr<Adapter> ConnectPort(AdapterWorld& world, const PortId& id, AdapterStatus& status)
{
    status = AdapterStatus::Ok;
    std::optional<AdapterPlace> found;
    if (id.kind != PortId::Kind::Adapter) {
        found = AdapterPlace{KindOfPorts(id.kind), id, {}, nullptr, {}, {}};
    } else {
        for (AdapterPlace& place : ListAdapters(world)) {
            if (place.id == id) {
                found = std::move(place);
                break;
            }
        }
    }
    if (!found) {
        status = AdapterStatus::UsbNotPluggedIn;
        for (const AdapterKind& kind : kKinds) {
            const AdapterStatus absent = kind.absent ? kind.absent(world, id) : AdapterStatus::Ok;
            if (absent != AdapterStatus::Ok)
                status = absent;
        }
        return nullptr;
    }
    if (found->model && found->model->refusal != AdapterStatus::Ok) {
        status = found->model->refusal;
        return nullptr;
    }
    return found->kind->open(world, *found, status);
}

AdapterCallsByFamily ProductionAdapterCalls()
{
    AdapterCallsByFamily calls;
    for (const AdapterKind& kind : kKinds) {
        if (kind.makeCalls)
            calls.emplace(kind.family, kind.makeCalls());
    }
    return calls;
}

AdapterSetups MakeAdapterSetups(const AdapterCallsByFamily& calls,
                                const std::shared_ptr<BusClock>& clock,
                                const DriverSettings& settings, std::vector<std::string>* notices)
{
    AdapterSetups setups;
    std::vector<std::string> unheard;
    for (const AdapterKind& kind : kKinds) {
        if (!kind.makeSetup)
            continue;
        AdapterSetupSource source{nullptr, clock, settings.timing, {}};
        if (const auto found = calls.find(kind.family); found != calls.end())
            source.calls = found->second;
        for (const DriverSettingLine& line : settings.adapterLines) {
            if (std::find(kind.settingKeys.begin(), kind.settingKeys.end(), line.key) !=
                kind.settingKeys.end())
                source.settings.push_back(line);
        }
        setups.emplace(kind.family, kind.makeSetup(source, notices ? *notices : unheard));
    }
    return setups;
}

std::vector<std::string> UdevRuleLines()
{
    std::vector<std::string> lines;
    for (const AdapterKind& kind : kKinds) {
        for (const UsbAdapterModel& model : kind.usbModels) {
            const std::string line = UsbUdevLine(model);
            if (model.refusal == AdapterStatus::Ok &&
                std::find(lines.begin(), lines.end(), line) == lines.end())
                lines.push_back(line);
        }
    }
    for (const AdapterKind& kind : kKinds)
        lines.insert(lines.end(), kind.extraUdevLines.begin(), kind.extraUdevLines.end());
    return lines;
}

} // namespace pemrix
