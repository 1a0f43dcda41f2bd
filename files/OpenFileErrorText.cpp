#include "OpenFileErrorText.h"

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
    std::size_t fileSize; // only for TypeOfSize rows
    std::string_view text;
};

constexpr std::array<OpenFileErrorRow, 8> kRows{{
    {OpenFileError::UnknownFile, 0, "The ROM file type is unknown."},
    {OpenFileError::TypeOfSize, 272, "The type of the ROM file is 93C46."},
    {OpenFileError::TypeOfSize, 528, "The type of the ROM file is 93C56."},
    {OpenFileError::TypeOfSize, 1040, "The type of the ROM file is 93C66."},
    {OpenFileError::TypeOfSize, 2064, "The type of the ROM file is 93C76."},
    {OpenFileError::TypeOfSize, 4112, "The type of the ROM file is 93C86."},
    {OpenFileError::TypeUnknown, 0, "The type of the ROM file is unknown."},
    {OpenFileError::InvalidWord, 0, "The ROM file holds an invalid word at address %1."},
}};

const OpenFileErrorRow* FindRow(OpenFileError error, std::size_t fileSize = 0)
{
    const auto row = std::find_if(kRows.begin(), kRows.end(), [&](const OpenFileErrorRow& r) {
        return r.error == error && r.fileSize == fileSize;
    });
    return row == kRows.end() ? nullptr : &*row;
}

} // namespace

FileMessage OpenFileErrorMessage(std::string text)
{
    return {std::move(text), std::string(kOpenFileErrorCaption), FileMessageIcon::None};
}

FileMessage UnknownRomFileMessage()
{
    return OpenFileErrorMessage(std::string(FindRow(OpenFileError::UnknownFile)->text));
}

FileMessage RomTypeMismatchMessage(std::size_t fileSize)
{
    const OpenFileErrorRow* row = FindRow(OpenFileError::TypeOfSize, fileSize);
    if (!row)
        row = FindRow(OpenFileError::TypeUnknown);
    return OpenFileErrorMessage(std::string(row->text));
}

FileMessage InvalidRomWordMessage(std::uint32_t address)
{
    std::string text(FindRow(OpenFileError::InvalidWord)->text);
    text.replace(text.find("%1"), 2, FormatHex4(address));
    return OpenFileErrorMessage(std::move(text));
}

} // namespace pemrix
