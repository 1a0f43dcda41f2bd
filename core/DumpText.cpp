#include "DumpText.h"

#include "HexText.h"

namespace pemrix {

namespace {

constexpr std::size_t kCellLength = 5;

// std::string::erase and insert throw past the end; the image algorithms clip instead, so a
// text that is shorter than its type expects can never take the program down.
void EraseClipped(std::string& text, std::size_t offset, std::size_t count)
{
    if (offset < text.size())
        text.erase(offset, count);
}

void InsertClipped(std::string& text, std::size_t offset, std::string_view piece)
{
    text.insert(std::min(offset, text.size()), piece);
}

} // namespace

std::size_t WordTextOffset(std::uint32_t address)
{
    return kDumpRowStride * (address / 8) + kCellLength * (address % 8) + 6;
}

std::string AddressLabelList(const EepromTypeInfo& type)
{
    std::string labels;
    labels.reserve(type.rows * 6);
    for (std::uint32_t r = 0; r < type.rows; ++r) {
        if (r > 0)
            labels += '\n';
        labels += FormatHex4(r * 8);
        labels += 'H';
    }
    return labels;
}

std::string_view ErasedRowText()
{
    return " FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF";
}

void ResetImage(std::string& dump, EepromType code)
{
    const EepromTypeInfo& type = EffectiveEepromType(code);
    dump = AddressLabelList(type);
    for (std::uint32_t r = 0; r < type.rows; ++r)
        InsertClipped(dump, kDumpLabelLength + kDumpRowStride * r, ErasedRowText());
}

void LoadImageWords(std::string& dump, EepromType code, std::span<const std::uint32_t> words,
                    const ImageWordCallback& onWord)
{
    const EepromTypeInfo& type = EffectiveEepromType(code);
    for (std::uint32_t r = 0; r < type.rows; ++r)
        EraseClipped(dump, 6 * r + kDumpLabelLength, kDumpRowDataLength);
    const std::size_t count = std::min<std::size_t>(type.words, words.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t value = words[i] & 0xFFFF;
        InsertClipped(dump, WordTextOffset(i) - 1, " " + FormatHex4(value));
        if (onWord)
            onWord(i, value);
    }
}

void SetImageWord(std::string& dump, std::uint32_t address, std::string_view text)
{
    const std::size_t offset = WordTextOffset(address);
    EraseClipped(dump, offset, 4);
    InsertClipped(dump, offset, text);
}

std::uint32_t GetImageWord(std::string_view dump, std::uint32_t address)
{
    const std::size_t offset = WordTextOffset(address);
    if (offset >= dump.size())
        return 0;
    return ParseHexPrefix(dump.substr(offset, 4));
}

std::string StripImage(std::string_view dump, std::uint32_t rows)
{
    std::string text(dump);
    for (std::uint32_t r = 0; r < rows; ++r)
        EraseClipped(text, 41 * r, kDumpLabelLength);
    for (std::uint32_t r = 0; r < rows; ++r)
        EraseClipped(text, 40 * (r + 1), 1);
    for (std::uint32_t k = 0; k < 8 * rows; ++k)
        EraseClipped(text, 4 * k, 1);
    // Anything beyond the type's rows is not part of the image.
    if (text.size() > 32 * std::size_t{rows})
        text.resize(32 * std::size_t{rows});
    return text;
}

std::vector<std::uint32_t> ImageWords(std::string_view dump, EepromType code)
{
    const EepromTypeInfo& type = EffectiveEepromType(code);
    const std::string stripped = StripImage(dump, type.rows);
    std::vector<std::uint32_t> words(type.words, 0);
    for (std::uint32_t k = 0; k < type.words; ++k) {
        const std::size_t offset = 4 * std::size_t{k};
        if (offset < stripped.size())
            words[k] = ParseHexPrefix(std::string_view(stripped).substr(offset, 4));
    }
    return words;
}

} // namespace pemrix
