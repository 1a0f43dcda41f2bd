#pragma once

#include <cstdint>

namespace pemrix {

using DriverHandle = std::intptr_t;
inline constexpr DriverHandle kInvalidDriverHandle = -1;

// Hears how far a request that moves the chip's words one by one has come, and may ask the
// driver to stop it. The driver calls it on the thread the request runs on.
class DriverProgress
{
public:
    virtual ~DriverProgress() = default;
    // Before the word at `address` of a request that moves `words` words. False asks the
    // driver to end the request there, before that word, with a failure status.
    virtual bool BeforeWord(std::uint32_t address, std::uint32_t words) = 0;
};

// The program's own code for a command the user stopped through its progress: apart from the
// codes of the failed steps, and from any status the built-in driver gives, raw or shifted.
inline constexpr std::uint32_t kStoppedCode = 0xC000;

// Shaped like CreateFileW / DeviceIoControl / CloseHandle.
class DriverLink
{
public:
    virtual ~DriverLink() = default;
    // attributes: 0x80 (FILE_ATTRIBUTE_NORMAL) for chip commands, 0 for the start-up check.
    virtual DriverHandle Open(std::uint32_t attributes) = 0;
    // `buffer` holds inSize input bytes and receives up to outSize output bytes (outSize 0
    // for the 4-byte requests). Returns the call's TRUE/FALSE; always sets bytesReturned.
    virtual bool Control(DriverHandle handle, std::uint32_t code, std::uint8_t* buffer,
                         std::uint32_t inSize, std::uint32_t outSize,
                         std::uint32_t& bytesReturned) = 0;
    virtual void Close(DriverHandle handle) = 0;
    // Where the following requests report their progress; null for nowhere. A driver that
    // knows nothing of progress (the kernel driver) leaves this as it is and reports nothing.
    virtual void WatchProgress(DriverProgress* progress) { static_cast<void>(progress); }
};

// The attributes each kind of caller opens the device with.
inline constexpr std::uint32_t kChipCommandOpenAttributes = 0x80;
inline constexpr std::uint32_t kVersionCheckOpenAttributes = 0;

} // namespace pemrix
