#include "adapter/ports/LinuxPpdevCalls.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <cerrno>

namespace pemrix {

namespace {

int IoctlResult(int result)
{
    return result < 0 ? errno : 0;
}

} // namespace

int LinuxPpdevCalls::Open(const std::string& path, int& fd)
{
    fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return fd < 0 ? errno : 0;
}

int LinuxPpdevCalls::SetExclusive(int fd)
{
    return IoctlResult(::ioctl(fd, PPEXCL));
}

int LinuxPpdevCalls::Claim(int fd)
{
    return IoctlResult(::ioctl(fd, PPCLAIM));
}

int LinuxPpdevCalls::Release(int fd)
{
    return IoctlResult(::ioctl(fd, PPRELEASE));
}

int LinuxPpdevCalls::WriteData(int fd, std::uint8_t value)
{
    unsigned char data = value;
    return IoctlResult(::ioctl(fd, PPWDATA, &data));
}

int LinuxPpdevCalls::ReadStatus(int fd, std::uint8_t& value)
{
    unsigned char status = 0;
    const int result = IoctlResult(::ioctl(fd, PPRSTATUS, &status));
    value = status;
    return result;
}

void LinuxPpdevCalls::Close(int fd)
{
    ::close(fd);
}

} // namespace pemrix
