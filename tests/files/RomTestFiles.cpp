#include "RomTestFiles.h"

#include "core/DumpText.h"
#include "core/HexText.h"
#include "files/RomFileLayout.h"

namespace pemrix {

std::string CountingWordText(std::uint32_t words)
{
    std::string text;
    for (std::uint32_t i = 0; i < words; ++i)
        text += FormatHex4((i * 0x0101u + 0x1234u) & 0xFFFF);
    return text;
}

std::string CountingCellText(const EepromTypeInfo& type)
{
    const std::string words = CountingWordText(type.words);
    if (type.cellBits == 16)
        return words;
    std::string text;
    for (std::size_t at = 0; at < words.size(); at += 4)
        text += words.substr(at + 2, 2);
    return text;
}

MemoryImage CountingDump(const EepromTypeInfo& type)
{
    std::vector<std::uint32_t> words(type.words);
    for (std::uint32_t i = 0; i < type.words; ++i)
        words[i] = (0x1234 + 0x0101 * i) & 0xFFFF;
    MemoryImage dump;
    LoadImageWords(dump, type, words);
    return dump;
}

std::string RomFileOf(const EepromTypeInfo& type, const EepromTypeInfo& fieldType)
{
    return std::string(kRomMagic) + RomTypeField(fieldType) + CountingCellText(type);
}

} // namespace pemrix
