#include "RomFileDecoder.h"

#include "core/DumpText.h"
#include "core/HexText.h"
#include "files/OpenFileErrorText.h"
#include "files/RomFileLayout.h"

#include <string>
#include <utility>

namespace pemrix {

namespace {

bool NamesType(std::string_view field, const EepromTypeInfo& type)
{
    return ToUpperAscii(field) == ToUpperAscii(RomTypeField(type));
}

bool AcceptsTypeField(const EepromTypeInfo& selected, std::string_view field)
{
    const EepromTypeInfo* sister = SisterEepromType(selected);
    return NamesType(field, selected) || (sister && NamesType(field, *sister));
}

// The type of the other organisation that the field names, if any.
const EepromTypeInfo* OtherOrganisationType(const EepromTypeInfo& selected, std::string_view field)
{
    const EepromOrganisation other = selected.organisation == EepromOrganisation::Words16
                                         ? EepromOrganisation::Bytes8
                                         : EepromOrganisation::Words16;
    for (const EepromTypeInfo& type : EepromTypes(other))
        if (NamesType(field, type))
            return &type;
    return nullptr;
}

} // namespace

RomOpenResult DecodeRomFile(std::string_view file, const EepromTypeInfo& type)
{
    if (file.size() < kRomMagic.size() ||
        ToUpperAscii(file.substr(0, kRomMagic.size())) != kRomMagic)
        return RomOpenMessage(UnknownRomFileMessage());
    const std::string_view field = file.substr(kRomMagic.size(), kRomTypeFieldLength);
    if (!AcceptsTypeField(type, field)) {
        if (const EepromTypeInfo* other = OtherOrganisationType(type, field))
            return RomOpenMessage(RomOrganisationMismatchMessage(*other));
        return RomOpenMessage(RomTypeMismatchMessage(file.size(), type.organisation));
    }
    if (file.size() != RomFileSize(type))
        return {};

    RomOpenResult result;
    result.image.emplace(type);
    result.refreshes.reserve(type.words);
    const std::size_t digits = CellDigitCount(type);
    for (std::uint32_t address = 0; address < type.words; ++address) {
        const std::string_view group = file.substr(kRomHeaderLength + digits * address, digits);
        // A group of other than hexadecimal digits would break the width of every cell.
        if (!AllHexDigits(group))
            return RomOpenMessage(InvalidRomWordMessage(address));
        SetImageWord(*result.image, address, group);
        result.refreshes.push_back({address, std::string(group)});
    }
    result.outcome = RomOpenOutcome::Accepted;
    return result;
}

} // namespace pemrix
