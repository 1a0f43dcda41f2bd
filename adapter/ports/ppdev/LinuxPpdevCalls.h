#pragma once

#include "adapter/ports/ppdev/PpdevCalls.h"

namespace pemrix {

// The real calls on /dev/parportN.
class LinuxPpdevCalls : public PpdevCalls
{
public:
    int Open(const std::string& path, int& fd) override;
    int Claim(int fd, std::chrono::nanoseconds patience) override;
    int Release(int fd) override;
    int WriteData(int fd, std::uint8_t value) override;
    int ReadStatus(int fd, std::uint8_t& value) override;
    void Close(int fd) override;
};

} // namespace pemrix
