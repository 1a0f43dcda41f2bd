#pragma once

#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/ports/FtdiCalls.h"
#include "adapter/ports/Ft232hCommands.h"
#include "adapter/ports/ReadyPollRounds.h"

#include <vector>

namespace pemrix {

// The Microwire lines of an FT232H (or an FT2232H's channel A) in MPSSE mode. Whole
// instructions go out in one USB write; a transaction that answers no sample is kept and goes
// out with the next write. The engine has no delay that leaves SK alone, so a short Wait runs
// SK with DI low where the chip ignores it (CS low, or high before a start bit: "before a
// Start condition is detected, CS, CLK and DI may change in any combination (except to that
// of a Start condition), without resulting in any device operation", Microchip 93AA46A/B/C
// DS20001749K, 2.4), and any other is slept on the host. Ready polls go out in rounds on the
// engine, a byte of clocks apart, with the instruction before them.
class Ft232hPort : public TransactionPort
{
public:
    Ft232hPort(FtdiCalls& calls, BusClock& clock, const BusTiming& timing);

    std::vector<bool> Run(const BusTransaction& transaction) override;

    // Resets the engine, checks that it answers and sets it up with every line low.
    void Start();
    // Sends whatever is kept; the adapter calls it after every request.
    void Flush();
    // Every line low, sent at once.
    void Rest();
    // The libusb error of the first failed transfer, or 0.
    int Error() const { return m_nError; }
    // The same, and the port carries transactions again, from a deselected chip: a request's
    // failure is reported once, and what follows it (the EWDS that write-protects the chip)
    // gets its chance without running into an instruction the failure cut short.
    int TakeError();

private:
    void Send(std::vector<bool>& samples);
    // One round of ready polls, sent with whatever is kept; their samples, taken out of
    // `samples` again.
    std::vector<bool> PollRound(unsigned polls, unsigned cadence, std::vector<bool>& samples);
    // Reads the reply's bytes from `got` on.
    bool ReadReply(std::vector<std::uint8_t>& reply, std::size_t got = 0);
    void Note(int result);

    FtdiCalls& m_calls;
    BusClock& m_clock;
    Ft232hCommands m_commands;
    ReadyPollRounds m_readyPolls;
    int m_nError = 0;
};

} // namespace pemrix
