#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/ports/ppdev/CableProfile.h"
#include "adapter/chip/MicrowireChip.h"
#include "adapter/ports/ppdev/PpdevCalls.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pemrix {

// Plays the kernel for one parallel port, with a cable and optionally a chip behind it, and
// answers as ppdev and parport do: open fails with ENOENT where ppdev made no node and with
// EACCES where the user may not open it; PPCLAIM fails with ENXIO while another client is
// registered for the port alone, sleeps while another client holds the port (in the clock's
// time, cut short with EINTR when the caller's patience or a stray signal ends it), and
// fails with EINVAL on a node that holds the port already.
class FakeParport : public PpdevCalls
{
public:
    static constexpr int kFd = 7;

    int Open(const std::string& path, int& fd) override;
    int Claim(int fd, std::chrono::nanoseconds patience) override;
    int Release(int fd) override;
    int WriteData(int fd, std::uint8_t value) override;
    int ReadStatus(int fd, std::uint8_t& value) override;
    void Close(int fd) override;

    // Wires `cable`'s loopbacks (unless told otherwise) and its DO pin to `chip`.
    void Plug(const CableProfile& cable, MicrowireChip* chip = nullptr, bool loopbacks = true);

    // The machine around the port.
    bool ppdevLoaded = true;
    bool permitted = true;
    // Registered by another program with PPEXCL; lp registers without it and changes nothing
    // for a client that does not ask for the port alone.
    bool exclusiveClient = false;
    // How much longer another client (lp printing) holds the port; a claim sleeps through it.
    std::chrono::nanoseconds heldFor{0};
    // Another ppdev program holds the port and sends its PPRELEASE at this moment of the
    // clock (never, at the maximum). The kernel lets one ppdev call through at a time, so a
    // claim sleeping then holds the release back until it returns, and sleeps its patience out.
    bool ppdevHolder = false;
    std::chrono::nanoseconds ppdevHolderReleasesAt = std::chrono::nanoseconds::max();
    // How long the process is descheduled right after each data write that lowers CS, as a
    // loaded desktop may do between any two calls.
    std::chrono::nanoseconds stallAfterChipSelectFalls{0};
    // The process is descheduled this long right after the status read of that number (from
    // 1) that finds a selected chip busy.
    std::size_t stallAtBusyRead = 0;
    std::chrono::nanoseconds stallAtBusyReadFor{0};
    // After this long a signal other than the caller's own alarm wakes a sleeping claim, once.
    std::chrono::nanoseconds strayInterruptAfter{0};

    // Every call by name ("open /dev/parport0", "claim", "data", "status", "release",
    // "close"); the data register's values in dataWrites.
    std::vector<std::string> log;
    std::string JoinedLog() const;
    std::vector<std::uint8_t> dataWrites;
    // The time of every data register write; a claim sleeps in this clock's time.
    BusClock* clock = nullptr;
    std::vector<std::chrono::nanoseconds> writeTimes;
    // A call's name and the errno it fails with.
    std::map<std::string, int> failures;
    // What the status register reads when no cable is plugged.
    std::uint8_t unpluggedStatus = 0x7F;
    bool registerAccessWhileUnclaimed = false;

private:
    int Call(const std::string& name);
    int SleepInClaim(std::chrono::nanoseconds patience);
    std::uint8_t StatusForData(std::uint8_t data) const;

    const CableProfile* m_cable = nullptr;
    MicrowireChip* m_chip = nullptr;
    bool m_bLoopbacks = false;
    bool m_bClaimed = false;
    std::uint8_t m_nData = 0;
    std::size_t m_nBusyReads = 0;
};

} // namespace pemrix
