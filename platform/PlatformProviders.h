#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pemrix {

struct AdapterWorld;
class DriverLink;
class LinuxPortPlatform;
class PortPlatform;

// The chip driver: the built-in driver on Linux, the kernel driver's device on Windows. What
// the driver has to tell the user at start-up (settings it did not take as written) is added
// to `notices`, a line each.
std::unique_ptr<DriverLink> MakeDriverLink(std::vector<std::string>* notices = nullptr);

// The operating system's port discovery: procfs on Linux, SetupAPI on Windows.
std::unique_ptr<PortPlatform> MakePortPlatform();

#ifndef _WIN32
// Linux port discovery over the kernel's parallel ports below `parportRoot` and the built-in
// driver's adapters, as its registry lists them in `adapters` (its USB calls and the setups of
// the kinds with calls of their own).
std::unique_ptr<LinuxPortPlatform> MakeLinuxPortPlatform(const std::filesystem::path& parportRoot,
                                                         AdapterWorld& adapters);
#endif

} // namespace pemrix
