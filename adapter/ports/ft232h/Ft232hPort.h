#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/ports/usb/BatchingUsbPort.h"
#include "adapter/ports/ft232h/FtdiCalls.h"
#include "adapter/ports/ft232h/Ft232hCommands.h"

#include <vector>

namespace pemrix {

// The Microwire lines of an FT232H (or an FT2232H's channel A) in MPSSE mode. Whole instructions go
// out in one USB write. The engine has no delay that leaves SK alone, so a short Wait runs SK with
// DI low where the chip ignores it (CS low, or high before a start bit: "before a Start condition
// is detected, CS, CLK and DI may change in any combination (except to that of a Start condition),
// without resulting in any device operation", Microchip 93AA46A/B/C DS20001749K, 2.4), and any
// other is slept on the host. Ready polls go out in rounds on the engine, a byte of clocks apart,
// with the instruction before them.
class Ft232hPort : public BatchingUsbPort
{
public:
    Ft232hPort(FtdiCalls& calls, BusClock& clock, const BusTiming& timing);

    // Resets the engine, checks that it answers and sets it up with every line low.
    void Start();
    // Every line low, sent at once.
    void Rest();

private:
    bool BatchesWait(std::chrono::nanoseconds duration) const override;
    void Append(const BusStep& step) override;
    void AppendPolls(unsigned polls, std::chrono::nanoseconds spacing) override;
    std::size_t KeptSamples() const override { return m_commands.SampleCount(); }
    void Send(std::vector<bool>& samples) override;
    // Clears the endpoints' halt and drops what the chip holds of the failed batch.
    int Recover(int error) override;
    // Reads the reply's bytes from `got` on.
    bool ReadReply(std::vector<std::uint8_t>& reply, std::size_t got = 0);

    FtdiCalls& m_calls;
    Ft232hCommands m_commands;
};

} // namespace pemrix
