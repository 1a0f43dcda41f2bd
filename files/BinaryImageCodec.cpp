#include "BinaryImageCodec.h"

#include "files/RawImageMessages.h"
#include "files/RawImageWords.h"

namespace pemrix {

RomOpenResult DecodeBinaryImage(std::string_view file, std::uint64_t fileSize, EepromType selected,
                                WordByteOrder order)
{
    const EepromTypeInfo& type = EffectiveEepromType(selected);
    const std::uint64_t expected = 2 * std::uint64_t{type.words};
    if (fileSize == expected && file.size() == expected)
        return AcceptedImage(type, BytesToWords(file, order));
    if (const EepromTypeInfo* matched = TypeOfImageBytes(fileSize); matched && fileSize != expected)
        return RomOpenMessage(RawImageTypeMessage("binary file", *matched));
    return RomOpenMessage(BinarySizeMessage(fileSize, type));
}

std::optional<std::string> EncodeBinaryImage(const MemoryImage& image, EepromType selected,
                                             WordByteOrder order)
{
    const std::optional<std::vector<std::uint32_t>> words =
        ImageWordsOfType(image, EffectiveEepromType(selected));
    if (!words)
        return std::nullopt;
    return WordsToBytes(*words, order);
}

} // namespace pemrix
