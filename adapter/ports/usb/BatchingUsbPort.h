#pragma once

#include "adapter/AdapterStatus.h"
#include "adapter/bus/BusClock.h"
#include "adapter/bus/BusTransaction.h"
#include "adapter/ports/usb/ReadyPollRounds.h"

#include <chrono>
#include <cstddef>
#include <vector>

namespace pemrix {

// The Microwire lines of a USB adapter that sends bus steps in batches: the adapter's command
// encoder takes the steps, and the batch goes out when a sample is wanted, before a wait too
// long for the adapter (slept on the host instead) and with each round of ready polls. A
// transaction that answers no sample is kept and goes out with the next one that does, so
// most instructions cost no round trip of their own. The first failed transfer ends the
// traffic until the request is finished; every sample after it reads high, as from an empty
// socket, and the adapter is brought back once so that what follows can get through.
class BatchingUsbPort : public TransactionPort
{
public:
    std::vector<bool> Run(const BusTransaction& transaction) override;

    // Sends whatever is kept.
    void Flush();
    // The libusb error of the first failed transfer, or 0.
    int Error() const { return m_nError; }
    // Sends whatever is kept and answers the status of the first failure since the last
    // request, or Ok; the adapter calls it after every request. The port then carries
    // transactions again, from a deselected chip: a request's failure is reported once, and
    // what follows it (the EWDS that write-protects the chip) gets its chance without running
    // into an instruction the failure cut short.
    AdapterStatus FinishRequest();

protected:
    // `fewestPolls`: the polls of the shortest ready poll round.
    BatchingUsbPort(BusClock& clock, unsigned fewestPolls);

    // Keeps the first failure; 0 and byte counts are no failure.
    void Note(int result);
    BusClock& Clock() { return m_clock; }

private:
    // Whether a Wait of `duration` goes into the batch rather than being slept on the host.
    virtual bool BatchesWait(std::chrono::nanoseconds duration) const = 0;
    // Every step but such a Wait and a PollUntilHigh.
    virtual void Append(const BusStep& step) = 0;
    // `polls` ready polls, the first at once and the rest at least `spacing` apart.
    virtual void AppendPolls(unsigned polls, std::chrono::nanoseconds spacing) = 0;
    // The samples of the steps kept so far.
    virtual std::size_t KeptSamples() const = 0;
    // Sends the kept steps, unless the port has failed, and appends their samples.
    virtual void Send(std::vector<bool>& samples) = 0;
    // Brings the adapter's endpoints back after the first failed call, which answered `error`,
    // so that what follows (the EWDS that write-protects the chip) can get through; answers
    // the libusb error the failure stands for.
    virtual int Recover(int error) = 0;

    // One round of ready polls, sent with whatever is kept; their samples, taken out of
    // `samples` again.
    std::vector<bool> PollRound(unsigned polls, std::chrono::nanoseconds spacing,
                                std::vector<bool>& samples);

    BusClock& m_clock;
    ReadyPollRounds m_readyPolls;
    int m_nError = 0;
};

} // namespace pemrix
