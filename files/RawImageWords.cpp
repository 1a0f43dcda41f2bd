#include "RawImageWords.h"

#include "core/DumpText.h"
#include "core/HexText.h"

namespace pemrix {

std::string WordsToBytes(std::span<const std::uint32_t> words, WordByteOrder order)
{
    std::string bytes;
    bytes.reserve(2 * words.size());
    for (const std::uint32_t word : words) {
        const char low = static_cast<char>(word & 0xFF);
        const char high = static_cast<char>((word >> 8) & 0xFF);
        bytes += order == WordByteOrder::LittleEndian ? low : high;
        bytes += order == WordByteOrder::LittleEndian ? high : low;
    }
    return bytes;
}

std::vector<std::uint32_t> BytesToWords(std::string_view bytes, WordByteOrder order)
{
    std::vector<std::uint32_t> words;
    words.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<std::uint8_t>(bytes[i]);
        const auto second = static_cast<std::uint8_t>(bytes[i + 1]);
        words.push_back(order == WordByteOrder::LittleEndian ? first | (second << 8)
                                                             : second | (first << 8));
    }
    return words;
}

const EepromTypeInfo* TypeOfImageBytes(std::uint64_t bytes)
{
    for (const EepromTypeInfo& type : EepromTypes())
        if (2 * std::uint64_t{type.words} == bytes)
            return &type;
    return nullptr;
}

std::optional<std::vector<std::uint32_t>> ImageWordsOfType(const MemoryImage& image,
                                                           const EepromTypeInfo& type)
{
    if (!image.Fits(type))
        return std::nullopt;
    return image.Cells();
}

RomOpenResult AcceptedImage(const EepromTypeInfo& type, std::span<const std::uint32_t> words)
{
    RomOpenResult result;
    result.refreshes.reserve(type.words);
    LoadImageWords(result.image.emplace(), type.code, words,
                   [&](std::uint32_t address, std::uint32_t value) {
                       result.refreshes.push_back({address, FormatHex4(value)});
                   });
    result.outcome = RomOpenOutcome::Accepted;
    return result;
}

} // namespace pemrix
