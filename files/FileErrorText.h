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
};

// The application's name, the caption of every file error message.
inline constexpr std::string_view kFileErrorCaption = "pemrix";

// The cause behind an operating-system error number; numbers without a cause of their own
// give Unknown.
FileErrorKind FileErrorKindFromErrno(int error);

// The message for a failed file: its text names the cause and the file's full path.
FileMessage FileErrorMessage(FileErrorKind kind, std::string_view path);

} // namespace pemrix
