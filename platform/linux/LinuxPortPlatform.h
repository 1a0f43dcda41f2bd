#pragma once

#include "adapter/ports/usb/UsbCalls.h"
#include "platform/linux/ParportMachine.h"
#include "settings/PortMachinePlatform.h"

#include <filesystem>

namespace pemrix {

// The Linux provider of port discovery: the kernel's parallel ports and the USB adapters
// plugged in as they are when it is made, behind the virtual adapter. The window makes a fresh
// one each time it reads the port list.
class LinuxPortPlatform : public PortMachinePlatform
{
public:
    explicit LinuxPortPlatform(const std::filesystem::path& parportRoot = kParportProcRoot,
                               UsbCalls* usb = nullptr);
};

} // namespace pemrix
