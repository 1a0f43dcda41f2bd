#include "RomFileEncoder.h"

#include "core/DumpText.h"
#include "files/RomFileLayout.h"

namespace pemrix {

std::optional<std::string> EncodeRomFile(const MemoryImage& image, const EepromTypeInfo& type)
{
    if (!image.Fits(type))
        return std::nullopt;
    std::string file(kRomMagic);
    file += RomTypeField(type);
    file += ImageDigits(image);
    return file;
}

} // namespace pemrix
