#pragma once

#include <QString>

#include <cstdint>

namespace pemrix {

struct PortRecord;

// One entry of the port combo: its text and, as item data, the port's I/O base.
struct PortComboEntry
{
    QString m_strText;
    std::uint32_t m_nAddress = 0;

    bool operator==(const PortComboEntry&) const = default;
};

// name + " [" + address + "]", and " (DISABLED)" for a disabled port; for a record with an
// address.
PortComboEntry DiscoveredPortEntry(const PortRecord& record);

// The custom port stored in the profile, shown in lower-case hex.
PortComboEntry StoredCustomPortEntry(std::uint32_t customPort);

// The custom port as typed in Options: the text as it stands, its leading hex digits as data.
PortComboEntry TypedCustomPortEntry(const QString& typedText);

} // namespace pemrix
