#include "adapter/virtual/VirtualChipLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <system_error>

namespace pemrix {

namespace {

constexpr const char* kLockFileName = "virtual.lock";

} // namespace

VirtualChipLock::VirtualChipLock(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    m_nFd = ::open((folder / kLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_nFd < 0)
        return;
    int result = 0;
    do {
        result = ::flock(m_nFd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(m_nFd);
        m_nFd = -1;
    }
}

VirtualChipLock::~VirtualChipLock()
{
    if (m_nFd >= 0)
        ::close(m_nFd);
}

} // namespace pemrix
