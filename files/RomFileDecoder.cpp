#include "RomFileDecoder.h"

#include "core/DumpText.h"
#include "core/HexText.h"
#include "files/OpenFileErrorText.h"
#include "files/RomFileLayout.h"

#include <string>
#include <utility>

namespace pemrix {

namespace {

bool AcceptsTypeField(const EepromTypeInfo& selected, std::string_view field)
{
    const std::string upper = ToUpperAscii(field);
    if (upper == RomTypeField(selected))
        return true;
    const EepromTypeInfo* sister = SisterEepromType(selected.code);
    return sister && upper == RomTypeField(*sister);
}

} // namespace

RomOpenResult DecodeRomFile(std::string_view file, EepromType selected)
{
    const EepromTypeInfo& type = EffectiveEepromType(selected);
    if (file.size() < kRomMagic.size() ||
        ToUpperAscii(file.substr(0, kRomMagic.size())) != kRomMagic)
        return RomOpenMessage(UnknownRomFileMessage());
    if (!AcceptsTypeField(type, file.substr(kRomMagic.size(), kRomTypeFieldLength)))
        return RomOpenMessage(RomTypeMismatchMessage(file.size()));
    if (file.size() != RomFileSize(type))
        return {};

    RomOpenResult result;
    result.image.emplace(type);
    result.refreshes.reserve(type.words);
    for (std::uint32_t address = 0; address < type.words; ++address) {
        const std::string_view group =
            file.substr(kRomHeaderLength + kRomWordLength * address, kRomWordLength);
        // A group that is not four digits would break the four characters of every cell.
        if (!AllHexDigits(group))
            return RomOpenMessage(InvalidRomWordMessage(address));
        SetImageWord(*result.image, address, group);
        result.refreshes.push_back({address, std::string(group)});
    }
    result.outcome = RomOpenOutcome::Accepted;
    return result;
}

} // namespace pemrix
