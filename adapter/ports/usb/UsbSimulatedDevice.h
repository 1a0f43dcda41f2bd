#pragma once

#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/chip/MicrowireChip.h"
#include "adapter/ports/usb/UsbCalls.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pemrix {

// The ways a simulated USB adapter fails, each counted in the device's own transfers since
// it was plugged in (1 = the first).
struct UsbDeviceFaults
{
    int openError = 0;
    int claimError = 0;
    bool kernelDriverBound = false;
    int detachError = 0;
    // The IN reply (CH341A) or read (FT232H) of that number comes one byte short.
    std::optional<std::uint64_t> shortReplyAt;
    // The IN replies or reads of that number and the two after it never come: each of the
    // three transfers times out, one after another.
    std::optional<std::uint64_t> timeoutsAt;
    // From the OUT transfer or write of that number on, the endpoint answers a stall, until the
    // host clears its halt.
    std::optional<std::uint64_t> stallAt;
    // That OUT transfer or write never arrives: the adapter is pulled out instead, and the chip
    // loses its power.
    std::optional<std::uint64_t> unplugAt;
};

// What the adapter carried, for tests and the benchmark.
struct UsbDeviceCounters
{
    std::uint64_t outTransfers = 0;
    std::uint64_t inTransfers = 0;
    std::uint64_t outBytes = 0;
    std::uint64_t inBytes = 0;
    // Times the host waited for the device: one per batch of transfers in flight.
    std::uint64_t roundTrips = 0;
};

// A USB adapter with a simulated 93Cxx in its socket, on the bus's virtual clock. A round trip
// costs `latency` of virtual time, so the clock reads as an estimate of the real time taken.
class UsbSimulatedDevice
{
public:
    UsbSimulatedDevice(UsbDeviceEntry entry, const MicrowireGeometry& chip, VirtualBusClock& clock);
    virtual ~UsbSimulatedDevice() = default;

    const UsbDeviceEntry& Entry() const { return m_entry; }
    MicrowireChip& Chip() { return *m_chip; }
    UsbDeviceFaults& Faults() { return m_faults; }
    UsbDeviceCounters& Counters() { return m_counters; }
    bool Plugged() const { return m_bPlugged; }
    bool Claimed() const { return m_bClaimed; }
    void SetClaimed(bool claimed) { m_bClaimed = claimed; }
    void SetLatency(std::chrono::nanoseconds latency) { m_latency = latency; }
    // Socket a chip of that part class, holding the same words, checked against its figures.
    void SocketPartOf(PartClass partClass);

    // Pulls the adapter out: the chip's pins fall and it powers up again later with its words,
    // write-protected as every 93Cxx starts.
    void Unplug();
    // The host cleared the stalled endpoint: it carries transfers again.
    void ClearHalt() { m_faults.stallAt.reset(); }
    // Every timing rule the adapter broke on this socket, before an unplug as well as after.
    std::vector<std::string> TimingViolations() const;

protected:
    // Counts one OUT transfer and answers the error its faults give it, or 0.
    int BeginOut(std::size_t bytes);
    // True when the IN reply of this number is to come one byte short.
    bool NextReplyShort();
    // True when the IN reply NextReplyShort just counted is lost.
    bool ReplyLost() const;
    void RoundTrips(std::uint64_t count);
    VirtualBusClock& Clock() { return m_clock; }

private:
    UsbDeviceEntry m_entry;
    MicrowireGeometry m_geometry;
    VirtualBusClock& m_clock;
    PartClass m_partClass = PartClass::Any;
    std::unique_ptr<MicrowireChip> m_chip;
    // What the chips the socket held before the last unplug were noted for.
    std::vector<std::string> m_earlierViolations;
    UsbDeviceFaults m_faults;
    UsbDeviceCounters m_counters;
    std::chrono::nanoseconds m_latency{0};
    std::uint64_t m_nOutNumber = 0;
    std::uint64_t m_nReplyNumber = 0;
    bool m_bPlugged = true;
    bool m_bClaimed = false;
};

} // namespace pemrix
