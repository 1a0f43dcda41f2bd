#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace pemrix {

// The kernel's ppdev interface, one member per call the driver makes, so tests can play the
// kernel. Each returns 0 or the errno of the failed call.
class PpdevCalls
{
public:
    virtual ~PpdevCalls() = default;
    virtual int Open(const std::string& path, int& fd) = 0;
    // PPCLAIM without PPEXCL, so the port is shared with the kernel's other clients of it.
    // The kernel sleeps in it while another client holds the port; the sleep is cut short
    // with EINTR once `patience` has passed, or sooner by any other signal.
    virtual int Claim(int fd, std::chrono::nanoseconds patience) = 0;
    virtual int Release(int fd) = 0;
    virtual int WriteData(int fd, std::uint8_t value) = 0;
    virtual int ReadStatus(int fd, std::uint8_t& value) = 0;
    virtual void Close(int fd) = 0;
};

} // namespace pemrix
