#include "adapter/ports/usb/UsbAdapterDirectory.h"

#include <string>

namespace pemrix {

namespace {

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

} // namespace

PortId UsbAdapterPortId(std::string_view family, const UsbDeviceEntry& device, int channel)
{
    std::string place = std::to_string(device.bus) + '-' + PortPath(device);
    if (channel > 0)
        place += std::string(":") + static_cast<char>('A' + channel);
    return AdapterPortId(family, place);
}

std::vector<AdapterPlace> PluggedUsbAdapters(UsbCalls& calls, std::span<const AdapterKind> kinds)
{
    std::vector<AdapterPlace> places;
    for (const UsbDeviceEntry& device : calls.Devices()) {
        for (const AdapterKind& kind : kinds) {
            for (const UsbAdapterModel& model : kind.usbModels) {
                if (model.vendor != device.vendor || model.product != device.product)
                    continue;
                places.push_back({&kind,
                                  UsbAdapterPortId(kind.family, device, model.channel),
                                  std::string(model.name) + " (bus " + std::to_string(device.bus) +
                                      ", port " + PortPath(device) + ")",
                                  &model,
                                  device,
                                  {}});
            }
        }
    }
    return places;
}

} // namespace pemrix
