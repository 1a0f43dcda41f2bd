#pragma once

#include "files/FileSystem.h"

namespace pemrix {

// The file operations of the system the program is built for: PosixFileSystem.cpp or
// WindowsFileSystem.cpp. Paths are UTF-8 and errors errno numbers on both, so Open and Save
// name the same causes everywhere.
class NativeFileSystem : public FileSystem
{
public:
    FileTarget Inspect(const std::string& path) override;
    FileCreateResult CreateNew(const std::string& path) override;
    FileCreateResult OpenInPlace(const std::string& path) override;
    FileWriteResult Write(FileHandle handle, std::string_view bytes) override;
    int SetMode(FileHandle handle, unsigned mode) override;
    int Flush(FileHandle handle) override;
    int Close(FileHandle handle) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    FileSizeResult FileSize(const std::string& path) override;
    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes) override;
};

} // namespace pemrix
