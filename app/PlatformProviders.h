#pragma once

#include <memory>

namespace pemrix {

class PortPlatform;

// The operating system's port discovery: procfs on Linux, SetupAPI on Windows.
std::unique_ptr<PortPlatform> MakePortPlatform();

} // namespace pemrix
