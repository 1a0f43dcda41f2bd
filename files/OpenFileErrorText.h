#pragma once

#include "core/EepromTypeInfo.h"
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

// The type field names no accepted type: the text follows the file's total size alone,
// naming the type of that size in the selected organisation.
FileMessage RomTypeMismatchMessage(std::size_t fileSize, EepromOrganisation organisation);

// The type field names `fileType`, a type of the other organisation: opening the file would
// cut its digits into cells of the wrong width.
FileMessage RomOrganisationMismatchMessage(const EepromTypeInfo& fileType);

// A word group that is not four hexadecimal digits, named by the word's address.
FileMessage InvalidRomWordMessage(std::uint32_t address);

} // namespace pemrix
