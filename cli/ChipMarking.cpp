#include "ChipMarking.h"

#include "core/HexText.h"

namespace pemrix {

// The maker's prefix before "93" and the family letters after it (AA, LC, C) are skipped;
// the two digits name the size and one trailing letter the organisation.
std::optional<ChipMarking> ReadChipMarking(std::string_view text)
{
    const std::string upper = ToUpperAscii(text);
    const std::size_t series = upper.find("93");
    if (series == std::string::npos)
        return std::nullopt;
    std::size_t at = series + 2;
    while (at < upper.size() && upper[at] >= 'A' && upper[at] <= 'Z')
        ++at;
    if (at == series + 2 || upper.size() < at + 2)
        return std::nullopt;
    const std::string name = "93C" + upper.substr(at, 2);
    const std::string_view suffix = std::string_view(upper).substr(at + 2);
    ChipMarking marking;
    for (const EepromTypeInfo& type : EepromTypes())
        if (type.name == name)
            marking.code = type.code;
    if (marking.code == 0 || suffix.size() > 1)
        return std::nullopt;
    if (suffix == "A")
        marking.organisation = EepromOrganisation::Bytes8;
    else if (suffix == "B")
        marking.organisation = EepromOrganisation::Words16;
    else if (!suffix.empty() && suffix != "C")
        return std::nullopt;
    return marking;
}

} // namespace pemrix
