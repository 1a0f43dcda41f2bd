#pragma once

#include <memory>
#include <string>
#include <vector>

namespace pemrix {

class DriverLink;
class PortPlatform;

// The chip driver: the built-in driver on Linux, the kernel driver's device on Windows. What
// the driver has to tell the user at start-up (settings it did not take as written) is added
// to `notices`, a line each.
std::unique_ptr<DriverLink> MakeDriverLink(std::vector<std::string>* notices = nullptr);

// The operating system's port discovery: procfs on Linux, SetupAPI on Windows.
std::unique_ptr<PortPlatform> MakePortPlatform();

} // namespace pemrix
