#pragma once

#include <memory>

namespace pemrix {

class DriverLink;
class PortPlatform;

// The chip driver: the built-in driver on Linux, the kernel driver's device on Windows.
std::unique_ptr<DriverLink> MakeDriverLink();

// The operating system's port discovery: procfs on Linux, SetupAPI on Windows.
std::unique_ptr<PortPlatform> MakePortPlatform();

} // namespace pemrix
