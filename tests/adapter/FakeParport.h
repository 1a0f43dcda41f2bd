#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/ports/CableProfile.h"
#include "adapter/chip/MicrowireChip.h"
#include "adapter/ports/PpdevCalls.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pemrix {

// Plays the kernel for one parallel port, with a cable and optionally a chip behind it.
class FakeParport : public PpdevCalls
{
public:
    static constexpr int kFd = 7;

    int Open(const std::string& path, int& fd) override;
    int SetExclusive(int fd) override;
    int Claim(int fd) override;
    int Release(int fd) override;
    int WriteData(int fd, std::uint8_t value) override;
    int ReadStatus(int fd, std::uint8_t& value) override;
    void Close(int fd) override;

    // Wires `cable`'s loopbacks (unless told otherwise) and its DO pin to `chip`.
    void Plug(const CableProfile& cable, MicrowireChip* chip = nullptr, bool loopbacks = true);

    // Every call by name ("open /dev/parport0", "exclusive", "claim", "data", "status",
    // "release", "close"); the data register's values in dataWrites.
    std::vector<std::string> log;
    std::string JoinedLog() const;
    std::vector<std::uint8_t> dataWrites;
    // With a clock, the time of every data register write.
    const BusClock* clock = nullptr;
    std::vector<std::chrono::nanoseconds> writeTimes;
    // A call's name and the errno it fails with.
    std::map<std::string, int> failures;
    // What the status register reads when no cable is plugged.
    std::uint8_t unpluggedStatus = 0x7F;
    bool registerAccessWhileUnclaimed = false;

private:
    int Call(const std::string& name);
    std::uint8_t StatusForData(std::uint8_t data) const;

    const CableProfile* m_cable = nullptr;
    MicrowireChip* m_chip = nullptr;
    bool m_bLoopbacks = false;
    bool m_bClaimed = false;
    std::uint8_t m_nData = 0;
};

} // namespace pemrix
