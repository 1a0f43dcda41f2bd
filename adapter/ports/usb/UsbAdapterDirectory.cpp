#include "adapter/ports/usb/UsbAdapterDirectory.h"

#include <array>

namespace pemrix {

namespace {

constexpr std::array<UsbAdapterModel, 4> kModels{{
    {UsbAdapterKind::Ch341a, 0x1A86, 0x5512, "CH341A", "CH341A USB adapter"},
    {UsbAdapterKind::Ch341aUartMode, 0x1A86, 0x5523, "CH341A", "CH341A USB adapter in UART mode"},
    {UsbAdapterKind::Ft232h, 0x0403, 0x6014, "FT232H", "FT232H USB adapter"},
    {UsbAdapterKind::Ft2232hChannelA, 0x0403, 0x6010, "FT2232H",
     "FT2232H USB adapter, channel A"},
}};

constexpr std::uint32_t kAddressMask = 0x00FFFFFF;

std::string PortPath(const UsbDeviceEntry& device)
{
    std::string path;
    for (const std::uint8_t port : device.ports) {
        if (!path.empty())
            path += '.';
        path += std::to_string(port);
    }
    return path.empty() ? "0" : path;
}

const UsbAdapterModel* FindModel(const UsbDeviceEntry& device)
{
    for (const UsbAdapterModel& model : kModels) {
        if (model.vendor == device.vendor && model.product == device.product)
            return &model;
    }
    return nullptr;
}

} // namespace

std::span<const UsbAdapterModel> UsbAdapterModels()
{
    return kModels;
}

bool IsUsbAdapterAddress(std::uint32_t address)
{
    return (address & ~kAddressMask) == kUsbAdapterAddressBase;
}

std::uint32_t UsbAdapterAddress(std::string_view family, const UsbDeviceEntry& device)
{
    // FNV-1a over "family:bus-path": a pure function of where the adapter sits, so nothing
    // needs storing to find it again.
    const std::string key =
        std::string(family) + ':' + std::to_string(device.bus) + '-' + PortPath(device);
    std::uint32_t hash = 2166136261u;
    for (const char c : key) {
        hash ^= static_cast<std::uint8_t>(c);
        hash *= 16777619u;
    }
    return kUsbAdapterAddressBase | (hash & kAddressMask);
}

std::vector<UsbAdapterPlug> PluggedUsbAdapters(UsbCalls& calls)
{
    std::vector<UsbAdapterPlug> plugs;
    for (const UsbDeviceEntry& device : calls.Devices()) {
        const UsbAdapterModel* model = FindModel(device);
        if (model == nullptr)
            continue;
        UsbAdapterPlug plug{model, device, UsbAdapterAddress(model->family, device), {}};
        plug.name = std::string(model->name) + " (bus " + std::to_string(device.bus) +
                    ", port " + PortPath(device) + ")";
        plugs.push_back(std::move(plug));
    }
    return plugs;
}

std::optional<UsbAdapterPlug> FindUsbAdapter(UsbCalls& calls, std::uint32_t address)
{
    for (UsbAdapterPlug& plug : PluggedUsbAdapters(calls)) {
        if (plug.address == address)
            return std::move(plug);
    }
    return std::nullopt;
}

} // namespace pemrix
