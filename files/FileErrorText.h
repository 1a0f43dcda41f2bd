#pragma once

#include "files/FileMessage.h"

#include <string_view>

namespace pemrix {

// The causes a file error message can name.
enum class FileErrorKind
{
    Unknown,
    NotFound,
    InvalidPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    HardwareIo,
    SharingViolation,
    LockingViolation,
    DiskFull,
    ReadPastEnd,
    DirectoryFull,
};

// The application's name, the caption of every file error message.
inline constexpr std::string_view kFileErrorCaption = "pemrix";

// The cause behind an operating-system error number; numbers without a cause of their own
// give Unknown.
FileErrorKind FileErrorKindFromErrno(int error);

// The cause behind an error number from creating a file: there no room means no room for
// the new name, which the directory-full text says.
FileErrorKind FileErrorKindFromCreateErrno(int error);

// The message for a failed file: its text names the cause and the file's full path.
FileMessage FileErrorMessage(FileErrorKind kind, std::string_view path);

inline constexpr std::string_view kOutOfMemoryText = "Out of memory.";
inline constexpr std::string_view kNoErrorMessageText = "No error message is available.";

// The message for the exception being handled, under the file errors' caption: memory running
// out, another failure's own text, or the text for a failure without one. Call it only inside
// a catch block.
FileMessage CurrentExceptionMessage();

} // namespace pemrix
