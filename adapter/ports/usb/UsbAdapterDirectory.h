#pragma once

#include "adapter/ports/usb/UsbCalls.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

enum class UsbAdapterKind
{
    Ch341a,
    Ch341aUartMode,
    Ft232h,
    Ft2232hChannelA,
};

// One USB chip the program knows as an adapter. Kinds of one family share their pseudo port
// addresses, so a CH341A whose mode jumper is moved keeps its place in the settings.
struct UsbAdapterModel
{
    UsbAdapterKind kind;
    std::uint16_t vendor;
    std::uint16_t product;
    std::string_view family;
    std::string_view name;
};

std::span<const UsbAdapterModel> UsbAdapterModels();

// A known adapter plugged in now.
struct UsbAdapterPlug
{
    const UsbAdapterModel* model = nullptr;
    UsbDeviceEntry device;
    std::uint32_t address = 0;
    // "CH341A USB adapter (bus 1, port 4)"; the port path reads "4.2" behind a hub.
    std::string name;
};

// Pseudo port addresses of USB adapters fill 0x01000000 to 0x01FFFFFF: above every I/O base
// and apart from the virtual adapter, and the same for the same family on the same bus and
// hub port at every start.
inline constexpr std::uint32_t kUsbAdapterAddressBase = 0x01000000;
bool IsUsbAdapterAddress(std::uint32_t address);
std::uint32_t UsbAdapterAddress(std::string_view family, const UsbDeviceEntry& device);

// The known adapters among the machine's USB devices, in the order libusb lists them.
std::vector<UsbAdapterPlug> PluggedUsbAdapters(UsbCalls& calls);

// The plugged adapter at that address, if any.
std::optional<UsbAdapterPlug> FindUsbAdapter(UsbCalls& calls, std::uint32_t address);

} // namespace pemrix
