#include "PortChoice.h"

#include "adapter/virtual/VirtualAdapterAddress.h"
#include "core/HexText.h"
#include "settings/PortComboPlan.h"
#include "settings/PortDiscovery.h"

namespace pemrix {

std::vector<ListedPort> ListPorts(PortPlatform& platform, std::uint32_t customPort)
{
    std::vector<ListedPort> ports;
    for (const PortComboEntry& entry : PlanPortCombo(DiscoverPorts(platform), customPort).m_entries)
        ports.push_back({entry.m_strText.toStdString(), entry.m_nAddress});
    return ports;
}

std::optional<std::uint32_t> ChoosePort(std::string_view value,
                                        const std::vector<ListedPort>& ports)
{
    const std::string upper = ToUpperAscii(value);
    if (upper == "VIRTUAL")
        return kVirtualAdapterBase;
    if (upper.starts_with("0X") && upper.size() > 2 && upper.size() <= 10 &&
        AllHexDigits(std::string_view(upper).substr(2)))
        return ParseHexPrefix(std::string_view(upper).substr(2));
    for (const ListedPort& port : ports) {
        const std::string text = ToUpperAscii(port.text);
        if (upper == text || upper == text.substr(0, text.find(" [")) ||
            text.find("(" + upper + ")") != std::string::npos)
            return port.address;
    }
    return std::nullopt;
}

} // namespace pemrix
