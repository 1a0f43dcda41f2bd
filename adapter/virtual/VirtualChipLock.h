#pragma once

#include <filesystem>

namespace pemrix {

// Holds the lock of a virtual chip folder, so of the program instances that share the
// folder one at a time loads, programs and stores its chips. It is flock() on a file in the
// folder: it binds across processes and across the open files of one process alike, and
// the kernel lets go of it when a holder dies. Where the folder or its lock file cannot be
// made there is nothing to store into either, so the holder goes on without the lock.
class VirtualChipLock
{
public:
    explicit VirtualChipLock(const std::filesystem::path& folder);
    ~VirtualChipLock();
    VirtualChipLock(const VirtualChipLock&) = delete;
    VirtualChipLock& operator=(const VirtualChipLock&) = delete;

private:
    int m_nFd = -1;
};

} // namespace pemrix
