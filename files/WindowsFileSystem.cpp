#include "files/NativeFileSystem.h"
#include "files/WindowsErrorNumbers.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>

namespace pemrix {

namespace {

struct WindowsErrno
{
    DWORD windowsError;
    int error;
};

constexpr std::array<WindowsErrno, 27> kWindowsErrnos{{
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_INVALID_DRIVE, ENOENT},
    {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_TOO_MANY_OPEN_FILES, EMFILE},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_WRITE_PROTECT, EROFS},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_NOT_READY, EIO},
    {ERROR_CRC, EIO},
    {ERROR_SECTOR_NOT_FOUND, EIO},
    {ERROR_WRITE_FAULT, EIO},
    {ERROR_READ_FAULT, EIO},
    {ERROR_GEN_FAILURE, EIO},
    {ERROR_SHARING_VIOLATION, EBUSY},
    {ERROR_USER_MAPPED_FILE, EBUSY},
    // The replaced file is held open by another program that does not share its deletion.
    {ERROR_UNABLE_TO_REMOVE_REPLACED, EBUSY},
    {ERROR_LOCK_VIOLATION, EDEADLK},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},
    {ERROR_INVALID_NAME, EINVAL},
    {ERROR_BAD_PATHNAME, EINVAL},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_HANDLE_EOF, EIO},
}};

int LastErrno()
{
    return ErrnoFromWindowsError(GetLastError());
}

int ErrorOf(BOOL succeeded)
{
    return succeeded != FALSE ? 0 : LastErrno();
}

// Paths arrive as UTF-8; nothing when they are not.
std::optional<std::wstring> Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
    return wide;
}

// Kernel handles fit in 32 bits on 64-bit Windows too, so they travel as the seam's int.
HANDLE ToHandle(FileHandle handle)
{
    return LongToHandle(handle);
}

struct Attributes
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    int error = 0;
};

Attributes AttributesOf(const std::wstring& path)
{
    Attributes attributes;
    attributes.error =
        ErrorOf(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes.data));
    if (attributes.error == 0 && (attributes.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        attributes.error = EISDIR;
    return attributes;
}

// The attributes a saved file takes over from the one it replaces; read-only files are refused
// before, and the rest describe the kind of file rather than the user's choice.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Each read or write call moves at most this many bytes.
constexpr std::size_t kChunk = 1 << 20;

} // namespace

int ErrnoFromWindowsError(unsigned long error)
{
    const auto row = std::find_if(kWindowsErrnos.begin(), kWindowsErrnos.end(),
                                  [&](const WindowsErrno& r) { return r.windowsError == error; });
    return row == kWindowsErrnos.end() ? kErrnoOfUnknownWindowsError : row->error;
}

FileTarget NativeFileSystem::Inspect(const std::string& path)
{
    FileTarget target{path};
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide)
        return target;
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return target;
    target.exists = true;
    target.mode = attributes & kKeptAttributes;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        target.writeError = EACCES;
    return target;
}

// Inspect finds no target written in place here: every file is replaced.
FileCreateResult NativeFileSystem::OpenInPlace(const std::string&)
{
    return {-1, EINVAL};
}

FileCreateResult NativeFileSystem::CreateNew(const std::string& path)
{
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide)
        return {-1, EINVAL};
    // Not shared: nobody reads the file before it is complete.
    const HANDLE handle = CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {-1, LastErrno()};
    return {HandleToLong(handle), 0};
}

FileWriteResult NativeFileSystem::Write(FileHandle handle, std::string_view bytes)
{
    FileWriteResult result;
    while (result.written < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min(kChunk, bytes.size() - result.written));
        DWORD moved = 0;
        if (WriteFile(ToHandle(handle), bytes.data() + result.written, wanted, &moved, nullptr) ==
            FALSE) {
            result.error = LastErrno();
            break;
        }
        if (moved == 0)
            break;
        result.written += moved;
    }
    return result;
}

int NativeFileSystem::SetMode(FileHandle handle, unsigned mode)
{
    // Windows has no permission bits; the attributes stand in for them. ReplaceFileW hands
    // them over too, but not everywhere (wine does not), and a plain move never does.
    FILE_BASIC_INFO info{};
    info.FileAttributes = mode != 0 ? mode : FILE_ATTRIBUTE_NORMAL;
    return ErrorOf(SetFileInformationByHandle(ToHandle(handle), FileBasicInfo, &info, sizeof info));
}

int NativeFileSystem::Flush(FileHandle handle)
{
    return ErrorOf(FlushFileBuffers(ToHandle(handle)));
}

int NativeFileSystem::Close(FileHandle handle)
{
    return ErrorOf(CloseHandle(ToHandle(handle)));
}

int NativeFileSystem::Rename(const std::string& from, const std::string& to)
{
    const std::optional<std::wstring> source = Widen(from);
    const std::optional<std::wstring> target = Widen(to);
    if (!source || !target)
        return EINVAL;
    // ReplaceFileW swaps the file in one step and keeps the old one's attributes and access
    // rights; a target that does not exist yet is a plain move.
    if (ReplaceFileW(target->c_str(), source->c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr) != FALSE)
        return 0;
    const DWORD error = GetLastError();
    // Not found: the target did not exist. Unable to move the replacement: the old file is
    // already gone and the new one must still be moved to its name, or nothing is left there.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT)
        return ErrnoFromWindowsError(error);
    return ErrorOf(MoveFileExW(source->c_str(), target->c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

int NativeFileSystem::Remove(const std::string& path)
{
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide)
        return EINVAL;
    return ErrorOf(DeleteFileW(wide->c_str()));
}

FileSizeResult NativeFileSystem::FileSize(const std::string& path)
{
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide)
        return {0, EINVAL};
    const Attributes attributes = AttributesOf(*wide);
    if (attributes.error != 0)
        return {0, attributes.error};
    return {(static_cast<std::uint64_t>(attributes.data.nFileSizeHigh) << 32) |
                attributes.data.nFileSizeLow,
            0};
}

FileReadResult NativeFileSystem::ReadFile(const std::string& path, std::size_t maxBytes)
{
    const std::optional<std::wstring> wide = Widen(path);
    if (!wide)
        return {{}, EINVAL};
    // A folder cannot be opened as a file; it is named an invalid path, as elsewhere.
    const Attributes attributes = AttributesOf(*wide);
    if (attributes.error == EISDIR)
        return {{}, EISDIR};
    // Shared for reading and writing, so a file another program has open can still be read.
    const HANDLE handle =
        CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {{}, LastErrno()};
    FileReadResult result;
    result.bytes.resize(maxBytes);
    std::size_t done = 0;
    while (done < maxBytes) {
        const DWORD wanted = static_cast<DWORD>(std::min(kChunk, maxBytes - done));
        DWORD moved = 0;
        if (::ReadFile(handle, result.bytes.data() + done, wanted, &moved, nullptr) == FALSE) {
            result.error = LastErrno();
            break;
        }
        if (moved == 0)
            break;
        done += moved;
    }
    result.bytes.resize(done);
    CloseHandle(handle);
    return result;
}

} // namespace pemrix
