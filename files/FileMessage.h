#pragma once

#include <string>

namespace pemrix {

// How the caller decorates the message box; every box of these commands has an OK button only.
enum class FileMessageIcon
{
    None,
    Warning
};

// A message the Open or Save command wants shown, as plain data for the window to display.
struct FileMessage
{
    std::string strText;
    std::string strCaption;
    FileMessageIcon icon = FileMessageIcon::None;

    bool operator==(const FileMessage&) const = default;
};

} // namespace pemrix
