#include "DumpText.h"

#include "HexText.h"

namespace pemrix {

namespace {

constexpr std::uint32_t kCellsPerRow = 8;

} // namespace

std::size_t WordTextOffset(std::uint32_t address)
{
    return CellTextOffset(address, 4);
}

std::size_t CellTextOffset(std::uint32_t address, unsigned digits)
{
    const std::size_t stride = 6 + kCellsPerRow * (1 + digits);
    return stride * (address / kCellsPerRow) + (1 + digits) * (address % kCellsPerRow) + 6;
}

std::string_view ErasedRowText()
{
    return " FFFF FFFF FFFF FFFF FFFF FFFF FFFF FFFF";
}

std::string RenderDump(const MemoryImage& image)
{
    const EepromTypeInfo& type = image.Type();
    std::string text;
    text.reserve(type.rows * (6 + kCellsPerRow * (1 + CellDigitCount(type))));
    for (std::uint32_t r = 0; r < type.rows; ++r) {
        if (r > 0)
            text += '\n';
        text += FormatHex4(r * kCellsPerRow);
        text += 'H';
        for (std::uint32_t c = 0; c < kCellsPerRow; ++c) {
            text += ' ';
            text += image.CellDigits(r * kCellsPerRow + c);
        }
    }
    return text;
}

void ResetImage(MemoryImage& image, EepromType code)
{
    ResetImage(image, EffectiveEepromType(code));
}

void ResetImage(MemoryImage& image, const EepromTypeInfo& type)
{
    image = MemoryImage(type);
}

void LoadImageWords(MemoryImage& image, EepromType code, std::span<const std::uint32_t> words,
                    const ImageWordCallback& onWord)
{
    LoadImageWords(image, EffectiveEepromType(code), words, onWord);
}

void LoadImageWords(MemoryImage& image, const EepromTypeInfo& type,
                    std::span<const std::uint32_t> words, const ImageWordCallback& onWord)
{
    ResetImage(image, type);
    const std::size_t count = std::min<std::size_t>(image.CellCount(), words.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        image.SetCell(i, words[i]);
        if (onWord)
            onWord(i, image.Cell(i));
    }
}

void SetImageWord(MemoryImage& image, std::uint32_t address, std::string_view text)
{
    image.SetCellDigits(address, text);
}

std::uint32_t GetImageWord(const MemoryImage& image, std::uint32_t address)
{
    return image.Cell(address);
}

std::string ImageDigits(const MemoryImage& image)
{
    std::string digits;
    for (std::uint32_t i = 0; i < image.CellCount(); ++i)
        digits += image.CellDigits(i);
    return digits;
}

} // namespace pemrix
