#pragma once

#include "files/NativeFileSystem.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace pemrix {

// Where the failing file system breaks; zero errors mean the step succeeds.
struct FileFaults
{
    std::size_t nWriteLimit = std::numeric_limits<std::size_t>::max(); // bytes the disk takes
    int nWriteError = 0;        // reported once the limit is hit; 0 gives a plain short write
    int nInspectWriteError = 0; // the target counts as not writable for this reason
    int nFlushError = 0;
    int nCloseError = 0;
    int nRenameError = 0;
    int nReadError = 0;
    std::uint64_t nExtraSize = 0; // added to every reported size, as if the file shrank
};

// The real file system with faults injected, so a test sees what a failure leaves on disk.
class FailingFileSystem final : public NativeFileSystem
{
public:
    explicit FailingFileSystem(const FileFaults& faults);

    FileTarget Inspect(const std::string& path) override;
    FileWriteResult Write(FileHandle handle, std::string_view bytes) override;
    int Flush(FileHandle handle) override;
    int Close(FileHandle handle) override;
    int Rename(const std::string& from, const std::string& to) override;
    FileSizeResult FileSize(const std::string& path) override;
    FileReadResult ReadFile(const std::string& path, std::size_t maxBytes) override;

private:
    FileFaults m_faults;
    std::size_t m_nWritten = 0;
};

} // namespace pemrix
