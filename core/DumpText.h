#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "EepromTypeInfo.h"

namespace pemrix {

// The memory image is held as the very text the dump view shows: per row a label such as
// "0000H" and eight cells of a blank and four hexadecimal digits, rows joined by "\n".

inline constexpr std::size_t kDumpRowStride = 46;
inline constexpr std::size_t kDumpLabelLength = 5;
inline constexpr std::size_t kDumpRowDataLength = 40;
inline constexpr std::uint32_t kErasedWord = 0xFFFF;

// Called for every word LoadImageWords writes, right after its cell is in the text.
using ImageWordCallback = std::function<void(std::uint32_t address, std::uint32_t value)>;

// Character offset of word `address`'s four digits.
std::size_t WordTextOffset(std::uint32_t address);

// The address labels of a type's rows ("0000H\n0008H..."), no line end after the last.
std::string AddressLabelList(const EepromTypeInfo& type);

// One erased row of data: eight times " FFFF".
std::string_view ErasedRowText();

// Replaces the dump text by the type's erased image.
void ResetImage(std::string& dump, EepromType code);

// Replaces every word of the image by `words` (the type's word count of them), keeping the
// labels, and reports each word to `onWord` once its cell is written.
void LoadImageWords(std::string& dump, EepromType code, std::span<const std::uint32_t> words,
                    const ImageWordCallback& onWord = {});

// Replaces one word's four characters by `text`.
void SetImageWord(std::string& dump, std::uint32_t address, std::string_view text);

// The four characters of a word read as hexadecimal; a word beyond the text reads 0.
std::uint32_t GetImageWord(std::string_view dump, std::uint32_t address);

// The whole-image strip: labels, line ends and cell blanks removed, leaving four characters
// per word in address order for the first `rows` rows.
std::string StripImage(std::string_view dump, std::uint32_t rows);

// The words of a stripped copy of the dump, each group read as hexadecimal.
std::vector<std::uint32_t> ImageWords(std::string_view dump, EepromType code);

} // namespace pemrix
