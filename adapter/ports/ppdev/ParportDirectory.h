#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace pemrix {

// Finds the ppdev node of a port I/O base address through the kernel's parport entries:
// /proc/sys/dev/parport/parportN/base-addr starts with the base in decimal, and the node is
// /dev/parportN. Both roots are parameters so tests can describe machines in folders.
class ParportDirectory
{
public:
    ParportDirectory(std::filesystem::path procRoot, std::filesystem::path devRoot);

    std::optional<std::filesystem::path> DeviceFor(std::uint32_t baseAddress) const;
    // The kernel's entry of the port behind a node DeviceFor gave, there while the port is.
    std::filesystem::path EntryFor(const std::filesystem::path& device) const;

private:
    std::filesystem::path m_procRoot;
    std::filesystem::path m_devRoot;
};

} // namespace pemrix
