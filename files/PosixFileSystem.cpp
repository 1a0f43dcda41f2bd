#include "PosixFileSystem.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pemrix {

namespace {

int ErrorOf(int result)
{
    return result == 0 ? 0 : errno;
}

} // namespace

FileCreateResult PosixFileSystem::CreateNew(const std::string& path)
{
    const int handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle < 0)
        return {-1, errno};
    return {handle, 0};
}

FileWriteResult PosixFileSystem::Write(FileHandle handle, std::string_view bytes)
{
    FileWriteResult result;
    while (result.written < bytes.size()) {
        const ssize_t n =
            ::write(handle, bytes.data() + result.written, bytes.size() - result.written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = errno;
            break;
        }
        if (n == 0)
            break;
        result.written += static_cast<std::size_t>(n);
    }
    return result;
}

int PosixFileSystem::Flush(FileHandle handle)
{
    return ErrorOf(::fsync(handle));
}

int PosixFileSystem::Close(FileHandle handle)
{
    // Linux releases the descriptor even when close is interrupted, and the bytes were
    // already flushed, so an interruption is no failure.
    const int result = ::close(handle);
    return result == 0 || errno == EINTR ? 0 : errno;
}

int PosixFileSystem::Rename(const std::string& from, const std::string& to)
{
    return ErrorOf(std::rename(from.c_str(), to.c_str()));
}

int PosixFileSystem::Remove(const std::string& path)
{
    return ErrorOf(::unlink(path.c_str()));
}

FileSizeResult PosixFileSystem::FileSize(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0)
        return {0, errno};
    return {static_cast<std::uint64_t>(info.st_size), 0};
}

FileReadResult PosixFileSystem::ReadFile(const std::string& path, std::size_t maxBytes)
{
    // Non-blocking, so a pipe or device chosen by mistake cannot hang the window.
    const int handle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (handle < 0)
        return {{}, errno};
    FileReadResult result;
    result.bytes.resize(maxBytes);
    std::size_t filled = 0;
    while (filled < maxBytes) {
        const ssize_t n = ::read(handle, result.bytes.data() + filled, maxBytes - filled);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.error = errno;
            break;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    result.bytes.resize(filled);
    ::close(handle);
    return result;
}

} // namespace pemrix
