#include "RomFileEncoder.h"

#include "core/DumpText.h"
#include "files/RomFileLayout.h"

namespace pemrix {

std::optional<std::string> EncodeRomFile(std::string_view dump, EepromType selected)
{
    const EepromTypeInfo& type = EffectiveEepromType(selected);
    if (dump.size() != kDumpRowStride * type.rows - 1)
        return std::nullopt;
    std::string file(kRomMagic);
    file += RomTypeField(type);
    file += StripImage(dump, type.rows);
    return file;
}

} // namespace pemrix
