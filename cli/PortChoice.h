#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

class PortPlatform;

// One port as the window's port list shows it.
struct ListedPort
{
    std::string text; // e.g. "ECP Printer Port (LPT1) [378]", "Custom Port: 278"
    std::uint32_t address = 0;
};

// The ports in the window's order: the discovered ones, then the custom port when one is set.
std::vector<ListedPort> ListPorts(PortPlatform& platform, std::uint32_t customPort);

// The port a --port value names: "virtual", an address such as 0x378, or a listed port by
// its text, by the name in front of its address or by the name in its brackets ("LPT1"),
// letters in any case.
std::optional<std::uint32_t> ChoosePort(std::string_view value,
                                        const std::vector<ListedPort>& ports);

} // namespace pemrix
