#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "EepromTypeInfo.h"
#include "MemoryImage.h"

namespace pemrix {

// The dump text is the memory image as the dump view shows it: per row a label such as
// "0000H" and eight cells of a blank and the cell's hexadecimal digits, rows joined by "\n".

inline constexpr std::size_t kDumpRowStride = 46;
inline constexpr std::uint32_t kErasedWord = 0xFFFF;

// Called for every word LoadImageWords writes, right after its cell is set.
using ImageWordCallback = std::function<void(std::uint32_t address, std::uint32_t value)>;

// Character offset of word `address`'s four digits in a 16-bit image's dump text.
std::size_t WordTextOffset(std::uint32_t address);

// Character offset of cell `address`'s digits in a dump text of cells of `digits` digits:
// four, or two in 8-bit organisation.
std::size_t CellTextOffset(std::uint32_t address, unsigned digits);

// One erased row of data: eight times " FFFF".
std::string_view ErasedRowText();

// The dump text of an image.
std::string RenderDump(const MemoryImage& image);

// Replaces the image by the type's erased image; a code names the 16-bit type.
void ResetImage(MemoryImage& image, EepromType code);
void ResetImage(MemoryImage& image, const EepromTypeInfo& type);

// Replaces the image by one of the type holding `words` (the type's word count of them) and
// reports each word to `onWord` once its cell is set.
void LoadImageWords(MemoryImage& image, EepromType code, std::span<const std::uint32_t> words,
                    const ImageWordCallback& onWord = {});
void LoadImageWords(MemoryImage& image, const EepromTypeInfo& type,
                    std::span<const std::uint32_t> words, const ImageWordCallback& onWord = {});

// Replaces one word by the hexadecimal digits of `text`, kept as written.
void SetImageWord(MemoryImage& image, std::uint32_t address, std::string_view text);

// A word's value; a word beyond the image reads 0.
std::uint32_t GetImageWord(const MemoryImage& image, std::uint32_t address);

// Every cell's digits in address order, with no labels, blanks or line ends.
std::string ImageDigits(const MemoryImage& image);

} // namespace pemrix
