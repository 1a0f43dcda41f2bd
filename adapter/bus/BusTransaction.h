#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace pemrix {

// One step of a bus transaction, said in Microwire terms rather than pin changes, so each port
// can meet the chip's timing with its own means (port writes, a USB adapter's stream commands,
// an MPSSE engine's bit clocking). The port paces every step from its BusTiming.
struct BusStep
{
    enum class Kind : std::uint8_t
    {
        // CS high with SK and DI low; the first clock after it comes no sooner than tCSS.
        Select,
        // `count` bits of `bits`, most significant first, each on DI and taken by a rising SK.
        ClockOut,
        // `count` clocks with DI low; DO is sampled once per clock, no sooner than tPD after
        // its rising edge: one sample each.
        ClockIn,
        // DO read as it stands, without a clock: one sample.
        Sample,
        // SK and DI low, then CS low, held low for at least tCS before anything follows.
        Deselect,
        // Nothing changes for `duration` (ready polling, programming cycles).
        Wait,
        // DO read until it reads high: at once, then every `duration` or less often, for at
        // most `limit`; one sample, high when DO was seen high. A port may send its polls in
        // batches, so that a programming cycle costs a few round trips rather than one a poll.
        PollUntilHigh,
    };

    Kind kind;
    std::uint32_t bits = 0;
    unsigned count = 0;
    std::chrono::nanoseconds duration{0};
    std::chrono::nanoseconds limit{0};
};

// Steps a port carries out in order; every ClockIn bit and every Sample answers one DO level.
struct BusTransaction
{
    std::vector<BusStep> steps;

    BusTransaction& Select();
    BusTransaction& ClockOut(std::uint32_t bits, unsigned count);
    BusTransaction& ClockIn(unsigned count);
    BusTransaction& Sample();
    BusTransaction& Deselect();
    BusTransaction& Wait(std::chrono::nanoseconds duration);
    BusTransaction& PollUntilHigh(std::chrono::nanoseconds interval,
                                  std::chrono::nanoseconds limit);

    // How many DO levels the transaction answers.
    unsigned SampleCount() const;
};

// The adapter's Microwire lines as the bus sees them: whole transactions go in and their DO
// samples come back, so a USB adapter can send one batch where a pin-by-pin port makes many
// port accesses. A port that fails keeps its first error for its adapter to report after the
// request, and from then on answers every sample high, as an empty socket.
class TransactionPort
{
public:
    virtual ~TransactionPort() = default;
    // The samples of `transaction` in order (true = DO high), always SampleCount() of them.
    virtual std::vector<bool> Run(const BusTransaction& transaction) = 0;
    // At most how long after chip select last fell before the last Run that Run took its
    // first sample. A port the host clocks line by line measures it, since the process may be
    // preempted between any two port accesses; an adapter that runs an instruction and its
    // polls in one batch times them itself, and answers zero.
    virtual std::chrono::nanoseconds FirstSampleDelay() const { return {}; }
};

} // namespace pemrix
