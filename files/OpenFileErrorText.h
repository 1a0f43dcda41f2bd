#pragma once

#include "files/FileMessage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pemrix {

inline constexpr std::string_view kOpenFileErrorCaption = "Open File Error";

// A message about the file's contents, under the caption above.
FileMessage OpenFileErrorMessage(std::string text);

// The magic is not "ROM1", or the file is shorter than the magic.
FileMessage UnknownRomFileMessage();

// The type field names no accepted type: the text follows the file's total size alone.
FileMessage RomTypeMismatchMessage(std::size_t fileSize);

// A word group that is not four hexadecimal digits, named by the word's address.
FileMessage InvalidRomWordMessage(std::uint32_t address);

} // namespace pemrix
