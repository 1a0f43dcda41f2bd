#include "FileErrorText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

namespace pemrix {

namespace {

struct ErrnoKind
{
    int error;
    FileErrorKind kind;
};

constexpr auto kErrnoKinds = std::to_array<ErrnoKind>({
    {ENOENT, FileErrorKind::NotFound},          {ENOTDIR, FileErrorKind::InvalidPath},
    {EISDIR, FileErrorKind::InvalidPath},       {ENAMETOOLONG, FileErrorKind::InvalidPath},
    {EINVAL, FileErrorKind::InvalidPath},       {ELOOP, FileErrorKind::InvalidPath},
    {EMFILE, FileErrorKind::TooManyOpenFiles},  {ENFILE, FileErrorKind::TooManyOpenFiles},
    {EACCES, FileErrorKind::AccessDenied},      {EPERM, FileErrorKind::AccessDenied},
    {EROFS, FileErrorKind::AccessDenied},       {EBADF, FileErrorKind::InvalidHandle},
    {EIO, FileErrorKind::HardwareIo},           {EBUSY, FileErrorKind::SharingViolation},
    {ETXTBSY, FileErrorKind::SharingViolation}, {EDEADLK, FileErrorKind::LockingViolation},
    {ENOLCK, FileErrorKind::LockingViolation},  {ENOSPC, FileErrorKind::DiskFull},
    {EFBIG, FileErrorKind::DiskFull},
#ifdef EDQUOT // Windows has no quotas in errno
    {EDQUOT, FileErrorKind::DiskFull},
#endif
});

struct KindText
{
    FileErrorKind kind;
    std::string_view text;
};

constexpr std::array<KindText, 11> kKindTexts{{
    {FileErrorKind::Unknown, "An unknown error occurred while accessing %1."},
    {FileErrorKind::NotFound, "%1 was not found."},
    {FileErrorKind::InvalidPath, "%1 contains an invalid path."},
    {FileErrorKind::TooManyOpenFiles,
     "%1 could not be opened because there are too many open files."},
    {FileErrorKind::AccessDenied, "Access to %1 was denied."},
    {FileErrorKind::InvalidHandle, "An invalid file handle was associated with %1."},
    {FileErrorKind::HardwareIo, "A hardware I/O error was reported while accessing %1."},
    {FileErrorKind::SharingViolation, "A sharing violation occurred while accessing %1."},
    {FileErrorKind::LockingViolation, "A locking violation occurred while accessing %1."},
    {FileErrorKind::DiskFull, "Disk full while accessing %1."},
    {FileErrorKind::ReadPastEnd, "An attempt was made to access %1 past its end."},
}};

} // namespace

FileErrorKind FileErrorKindFromErrno(int error)
{
    const auto row = std::find_if(kErrnoKinds.begin(), kErrnoKinds.end(),
                                  [&](const ErrnoKind& r) { return r.error == error; });
    return row == kErrnoKinds.end() ? FileErrorKind::Unknown : row->kind;
}

FileMessage FileErrorMessage(FileErrorKind kind, std::string_view path)
{
    const auto row = std::find_if(kKindTexts.begin(), kKindTexts.end(),
                                  [&](const KindText& r) { return r.kind == kind; });
    std::string text(row->text);
    text.replace(text.find("%1"), 2, path);
    return {std::move(text), std::string(kFileErrorCaption), FileMessageIcon::Warning};
}

} // namespace pemrix
