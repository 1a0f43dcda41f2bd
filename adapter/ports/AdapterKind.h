#pragma once

#include "adapter/Adapter.h"
#include "adapter/AdapterStatus.h"
#include "adapter/DriverSettings.h"
#include "adapter/PortId.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/AdapterCalls.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <any>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

struct AdapterKind;
struct AdapterWorld;

// One USB product an adapter kind answers as. A product the adapter cannot program in (a
// CH341A whose jumper selects UART mode) is still listed, so the user learns why, and every
// command on it ends with its refusal.
struct UsbAdapterModel
{
    std::uint16_t vendor;
    std::uint16_t product;
    // "CH341A USB adapter"; the port list adds where it is plugged in.
    std::string_view name;
    AdapterStatus refusal = AdapterStatus::Ok;
    // The channel of a chip with several (0 for A, 1 for B); each is an adapter of its own.
    int channel = 0;
};

// An adapter found now: where it is, what it is called in the port list, and how to reach it.
struct AdapterPlace
{
    const AdapterKind* kind = nullptr;
    PortId id;
    // "CH341A USB adapter (bus 1, port 4)"; the port path reads "4.2" behind a hub.
    std::string name;
    // USB adapters: the product and the device as libusb lists it.
    const UsbAdapterModel* model = nullptr;
    UsbDeviceEntry device;
    // Adapters on a device node (a gpiochip): its path.
    std::string path;
};

// What a kind of adapter with calls of its own makes its setup from.
struct AdapterSetupSource
{
    // nullptr: none of its adapters is ever there.
    std::shared_ptr<AdapterCalls> calls;
    std::shared_ptr<BusClock> clock;
    BusTiming timing;
    // driver.conf's lines of its own keys, in the file's order.
    std::vector<DriverSettingLine> settings;
};

// One row of the adapter registry: everything the driver, the port list, the help and the udev
// rule need to know of one kind of adapter.
struct AdapterKind
{
    // How its ports are told apart: parallel ports by I/O base, the others by place key.
    PortId::Kind portKind = PortId::Kind::Adapter;
    // Part of each place key: never to change, or stored choices no longer find the adapter.
    std::string_view family;
    // The help page's anchor for its wiring and setup.
    std::string_view helpAnchor;
    // USB adapters are found by these products; other kinds by `list`.
    std::span<const UsbAdapterModel> usbModels;
    // The statuses only this kind of adapter gives.
    std::span<const AdapterStatus> statuses;
    // The adapters of this kind that are there now; nullptr where they are found by their USB
    // products or, for parallel ports, by the operating system's port walk.
    std::vector<AdapterPlace> (*list)(const AdapterKind& kind, AdapterWorld& world) = nullptr;
    // Connects the adapter at `place`; nullptr and the reason when it cannot.
    std::shared_ptr<Adapter> (*open)(AdapterWorld& world, const AdapterPlace& place,
                                     AdapterStatus& status) = nullptr;
    // Lines of the udev rule beyond the uaccess lines of its usable USB products.
    std::span<const std::string_view> extraUdevLines = {};

    // A kind that reaches the world through calls of its own, neither ppdev's nor libusb's,
    // names the production driver's calls and the driver.conf keys it reads, and makes the
    // setup that its `list` and `open` find in the AdapterWorld under its family; a line it
    // cannot take adds a notice.
    std::shared_ptr<AdapterCalls> (*makeCalls)() = nullptr;
    std::span<const std::string_view> settingKeys = {};
    std::any (*makeSetup)(const AdapterSetupSource& source,
                          std::vector<std::string>& notices) = nullptr;
    // A kind whose places are known before its adapters are there (the gpiochips a wiring
    // names): the status when `id` is such a place and nothing is there now, Ok for any other.
    // Any other port not there is a USB adapter not plugged in.
    AdapterStatus (*absent)(const AdapterWorld& world, const PortId& id) = nullptr;
};

} // namespace pemrix
