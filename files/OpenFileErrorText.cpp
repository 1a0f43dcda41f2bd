#include "OpenFileErrorText.h"

#include "core/EepromTypeInfo.h"
#include "core/HexText.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace pemrix {

namespace {

enum class OpenFileError
{
    UnknownFile,
    TypeOfSize,
    TypeUnknown,
    InvalidWord
};

struct OpenFileErrorRow
{
    OpenFileError error;
    std::string_view text;
};

constexpr std::array<OpenFileErrorRow, 4> kRows{{
    {OpenFileError::UnknownFile, "The ROM file type is unknown."},
    {OpenFileError::TypeOfSize, "The type of the ROM file is %1."},
    {OpenFileError::TypeUnknown, "The type of the ROM file is unknown."},
    {OpenFileError::InvalidWord, "The ROM file holds an invalid word at address %1."},
}};

std::string RowText(OpenFileError error)
{
    const auto row = std::find_if(kRows.begin(), kRows.end(),
                                  [&](const OpenFileErrorRow& r) { return r.error == error; });
    return std::string(row->text);
}

std::string WithArgument(std::string text, std::string_view argument)
{
    text.replace(text.find("%1"), 2, argument);
    return text;
}

} // namespace

FileMessage OpenFileErrorMessage(std::string text)
{
    return {std::move(text), std::string(kOpenFileErrorCaption), FileMessageIcon::None};
}

FileMessage UnknownRomFileMessage()
{
    return OpenFileErrorMessage(RowText(OpenFileError::UnknownFile));
}

// A ROM file of a type's size is taken for the first type of that size, so a 93C57 file
// names 93C56, its sister.
FileMessage RomTypeMismatchMessage(std::size_t fileSize)
{
    const auto types = EepromTypes();
    const auto type = std::find_if(types.begin(), types.end(), [&](const EepromTypeInfo& t) {
        return t.romFileSize == fileSize;
    });
    if (type == types.end())
        return OpenFileErrorMessage(RowText(OpenFileError::TypeUnknown));
    return OpenFileErrorMessage(WithArgument(RowText(OpenFileError::TypeOfSize), type->name));
}

FileMessage InvalidRomWordMessage(std::uint32_t address)
{
    return OpenFileErrorMessage(
        WithArgument(RowText(OpenFileError::InvalidWord), FormatHex4(address)));
}

} // namespace pemrix
