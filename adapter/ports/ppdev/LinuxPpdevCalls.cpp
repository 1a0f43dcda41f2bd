#include "adapter/ports/ppdev/LinuxPpdevCalls.h"

#include "adapter/ports/ppdev/PpdevClaimAlarm.h"

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

int LinuxPpdevCalls::Claim(int fd, std::chrono::nanoseconds patience)
{
    const PpdevClaimAlarm alarm(patience);
    // Without the alarm the claim could sleep for as long as another client keeps the port.
    if (alarm.Error() != 0)
        return alarm.Error();
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
