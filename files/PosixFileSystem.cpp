#include "files/NativeFileSystem.h"

#include "files/StandardStreamPath.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pemrix {

namespace {

int ErrorOf(int result)
{
    return result == 0 ? 0 : errno;
}

struct Transferred
{
    std::size_t count = 0;
    int error = 0;
};

// Repeats a read or write until `total` bytes have moved, a call moves none, or one fails
// for any reason but an interruption.
template <typename Transfer> Transferred TransferAll(std::size_t total, Transfer transfer)
{
    Transferred result;
    while (result.count < total) {
        const ssize_t n = transfer(result.count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = errno;
            break;
        }
        if (n == 0)
            break;
        result.count += static_cast<std::size_t>(n);
    }
    return result;
}

} // namespace

FileTarget NativeFileSystem::Inspect(const std::string& path)
{
    FileTarget target{path};
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) != 0) {
        // A link that leads nowhere stays a link: nothing is written in its place.
        struct stat link
        {
        };
        if (::lstat(path.c_str(), &link) == 0) {
            target.exists = true;
            target.writeError = ENOENT;
        }
        return target; // else nothing there yet
    }
    target.exists = true;
    target.mode = status.st_mode & 07777;
    if (S_ISDIR(status.st_mode)) {
        target.writeError = EISDIR;
        return target;
    }
    // Renaming a new file over a pipe, a device such as /dev/null or a standard stream would
    // put a plain file in its place, so those are written where they are.
    target.inPlace = !S_ISREG(status.st_mode) || InheritedDescriptor(path).has_value();
    if (!target.inPlace) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved != nullptr) {
            target.path = resolved; // a link keeps leading to the file it names
            std::free(resolved);
        }
    }
    target.writeError = ErrorOf(::access(path.c_str(), W_OK));
    return target;
}

FileCreateResult NativeFileSystem::OpenInPlace(const std::string& path)
{
    // A stream the program was given keeps its own position and flags, appending included.
    if (const std::optional<int> inherited = InheritedDescriptor(path)) {
        const int handle = ::fcntl(*inherited, F_DUPFD_CLOEXEC, 0);
        return handle < 0 ? FileCreateResult{-1, errno} : FileCreateResult{handle, 0};
    }
    // Not blocking while opening, so a pipe nobody reads fails (ENXIO) instead of hanging;
    // blocking after, so a reader that is slow to take the bytes gets them all.
    const int handle = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return {-1, errno};
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    return {handle, 0};
}

FileCreateResult NativeFileSystem::CreateNew(const std::string& path)
{
    const int handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle < 0)
        return {-1, errno};
    return {handle, 0};
}

FileWriteResult NativeFileSystem::Write(FileHandle handle, std::string_view bytes)
{
    const Transferred written = TransferAll(bytes.size(), [&](std::size_t done) {
        return ::write(handle, bytes.data() + done, bytes.size() - done);
    });
    return {written.count, written.error};
}

int NativeFileSystem::SetMode(FileHandle handle, unsigned mode)
{
    return ErrorOf(::fchmod(handle, static_cast<mode_t>(mode)));
}

int NativeFileSystem::Flush(FileHandle handle)
{
    return ErrorOf(::fsync(handle));
}

int NativeFileSystem::Close(FileHandle handle)
{
    // Linux releases the descriptor even when close is interrupted, and the bytes were
    // already flushed, so an interruption is no failure.
    const int result = ::close(handle);
    return result == 0 || errno == EINTR ? 0 : errno;
}

int NativeFileSystem::Rename(const std::string& from, const std::string& to)
{
    return ErrorOf(std::rename(from.c_str(), to.c_str()));
}

int NativeFileSystem::Remove(const std::string& path)
{
    return ErrorOf(::unlink(path.c_str()));
}

FileSizeResult NativeFileSystem::FileSize(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return {0, errno};
    if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return {0, 0, true};
    return {static_cast<std::uint64_t>(info.st_size), 0};
}

FileReadResult NativeFileSystem::ReadFile(const std::string& path, std::size_t maxBytes)
{
    // A stream the program was given is read as it comes; any other file without blocking,
    // so a pipe or device chosen by mistake cannot hang the window.
    const std::optional<int> inherited = InheritedDescriptor(path);
    const int handle = inherited
                           ? ::fcntl(*inherited, F_DUPFD_CLOEXEC, 0)
                           : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (handle < 0)
        return {{}, errno};
    FileReadResult result;
    result.bytes.resize(maxBytes);
    const Transferred read = TransferAll(maxBytes, [&](std::size_t done) {
        return ::read(handle, result.bytes.data() + done, maxBytes - done);
    });
    result.bytes.resize(read.count);
    result.error = read.error;
    ::close(handle);
    return result;
}

} // namespace pemrix
