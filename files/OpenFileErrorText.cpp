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
    InvalidWord,
    Bytes8File,
    Words16File,
};

struct OpenFileErrorRow
{
    OpenFileError error;
    std::string_view text;
};

constexpr std::array<OpenFileErrorRow, 6> kRows{{
    {OpenFileError::UnknownFile, "The ROM file type is unknown."},
    {OpenFileError::TypeOfSize, "The type of the ROM file is %1."},
    {OpenFileError::TypeUnknown, "The type of the ROM file is unknown."},
    {OpenFileError::InvalidWord, "The ROM file holds an invalid word at address %1."},
    {OpenFileError::Bytes8File,
     "The ROM file holds an 8-bit image (%1). Open it in 8-bit organisation (ORG low)."},
    {OpenFileError::Words16File,
     "The ROM file holds a 16-bit image (%1). Open it in 16-bit organisation."},
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
FileMessage RomTypeMismatchMessage(std::size_t fileSize, EepromOrganisation organisation)
{
    const auto types = EepromTypes(organisation);
    const auto type = std::find_if(types.begin(), types.end(), [&](const EepromTypeInfo& t) {
        return t.romFileSize == fileSize;
    });
    if (type == types.end())
        return OpenFileErrorMessage(RowText(OpenFileError::TypeUnknown));
    return OpenFileErrorMessage(
        WithArgument(RowText(OpenFileError::TypeOfSize), ChipTypeName(*type)));
}

FileMessage RomOrganisationMismatchMessage(const EepromTypeInfo& fileType)
{
    const bool bytes8 = fileType.organisation == EepromOrganisation::Bytes8;
    return OpenFileErrorMessage(
        WithArgument(RowText(bytes8 ? OpenFileError::Bytes8File : OpenFileError::Words16File),
                     ChipTypeName(fileType)));
}

FileMessage InvalidRomWordMessage(std::uint32_t address)
{
    return OpenFileErrorMessage(
        WithArgument(RowText(OpenFileError::InvalidWord), FormatHex4(address)));
}

} // namespace pemrix
