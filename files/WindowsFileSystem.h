#pragma once

#include "files/FileSystem.h"

namespace pemrix {

// The file operations on Windows: paths are UTF-8, errors the errno numbers that the Windows
// error codes stand for, so Open and Save name the same causes as on any other system.
class WindowsFileSystem : public FileSystem
{
public:
    FileTarget Inspect(const std::string& path) override;
    FileCreateResult CreateNew(const std::string& path) override;
    FileWriteResult Write(FileHandle handle, std::string_view bytes) override;
    int SetMode(FileHandle handle, unsigned mode) override;
    int Flush(FileHandle handle) override;
    int Close(FileHandle handle) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    FileSizeResult FileSize(const std::string& path) override;
    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes) override;
};

// What a Windows error code without an errno number of its own gives: no errno number, so no
// cause either.
inline constexpr int kErrnoOfUnknownWindowsError = -1;

// The errno number a Windows error code (GetLastError) stands for.
int ErrnoFromWindowsError(unsigned long error);

} // namespace pemrix
