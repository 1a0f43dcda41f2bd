#include "tests/settings/DescribedComboEntry.h"

namespace pemrix {

PortComboEntry ComboEntry(const char* text, std::uint32_t address)
{
    return PortComboEntry{QString::fromLatin1(text), address};
}

void PrintTo(const PortComboEntry& entry, std::ostream* out)
{
    *out << '"' << entry.m_strText.toStdString() << "\" 0x" << std::hex << entry.m_nAddress;
}

} // namespace pemrix
