#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pemrix {

// Every error below is an operating-system error number (errno); 0 means success.

using FileHandle = int;

struct FileCreateResult
{
    FileHandle handle = -1;
    int error = 0;
};

struct FileWriteResult
{
    std::size_t written = 0; // fewer than asked with no error means the device took no more
    int error = 0;
};

struct FileSizeResult
{
    std::uint64_t size = 0;
    int error = 0;
    // A pipe, device, socket or standard stream: its size is what reading it gives.
    bool stream = false;
};

struct FileReadResult
{
    std::string bytes;
    int error = 0;
};

// What Save must know of the file it is about to replace.
struct FileTarget
{
    // The file a link leads to, so the link stays a link; else the path itself.
    std::string path;
    bool exists = false;
    // Its permission bits (on Windows its attributes), which the new file takes over.
    unsigned mode = 0;
    // Why it may not be written (such as EACCES for a read-only file), or 0.
    int writeError = 0;
    // A pipe, device, socket or standard stream: written where it is through OpenInPlace,
    // never replaced by a file.
    bool inPlace = false;
};

// The file operations of Open and Save, so tests can make any of them fail part-way.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    virtual FileTarget Inspect(const std::string& path) = 0;
    // Creates a new file for writing only; fails with EEXIST when the name is taken.
    virtual FileCreateResult CreateNew(const std::string& path) = 0;
    // Opens a target that is written in place (FileTarget::inPlace) for writing.
    virtual FileCreateResult OpenInPlace(const std::string& path) = 0;
    // Writes as much of `bytes` as the device takes.
    virtual FileWriteResult Write(FileHandle handle, std::string_view bytes) = 0;
    // Gives an open file the permission bits `mode`.
    virtual int SetMode(FileHandle handle, unsigned mode) = 0;
    // Returns once the written bytes are on the device.
    virtual int Flush(FileHandle handle) = 0;
    virtual int Close(FileHandle handle) = 0;
    // Replaces `to` by `from` in one step.
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    virtual FileSizeResult FileSize(const std::string& path) = 0;
    // Reads the file from its start up to its end, but no more than maxBytes.
    virtual FileReadResult ReadFile(const std::string& path, std::size_t maxBytes) = 0;
};

} // namespace pemrix
