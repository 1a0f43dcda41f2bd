#include "adapter/ports/ch347/Ch347Simulation.h"

#include "adapter/ports/ch347/Ch347Protocol.h"

namespace pemrix {

using namespace ch347;

Ch347Simulation::Ch347Simulation(UsbDeviceEntry entry, const MicrowireGeometry& chip,
                                 VirtualBusClock& clock)
    : UsbBulkSimulation(std::move(entry), chip, clock)
{
    // As it powers up: mode 3, the fastest clock, chip selects active low.
    m_config[kClockPolarityAt] = kClockPolarityHigh;
    m_config[kClockPhaseAt] = kClockPhaseSecondEdge;
    Chip().Drive(ChipSelectPin(), false, false);
}

void Ch347Simulation::Receive(std::span<const std::uint8_t> data)
{
    while (!data.empty()) {
        if (data.size() < kHeaderSize) {
            NoteMalformed();
            return;
        }
        const std::size_t length = data[1] | static_cast<std::size_t>(data[2]) << 8;
        if (data.size() < kHeaderSize + length) {
            NoteMalformed();
            return;
        }
        Run(data[0], data.subspan(kHeaderSize, length));
        data = data.subspan(kHeaderSize + length);
    }
}

void Ch347Simulation::Run(std::uint8_t command, std::span<const std::uint8_t> payload)
{
    switch (command) {
    case kGetConfig: {
        std::vector<std::uint8_t> answer = Frame(kGetConfig, m_config);
        QueueReply(std::move(answer));
        return;
    }
    case kSetConfig: {
        const bool fits = payload.size() == kConfigSize;
        if (fits)
            std::copy(payload.begin(), payload.end(), m_config.begin());
        else
            NoteMalformed();
        const std::uint8_t status[] = {static_cast<std::uint8_t>(fits ? 0 : 1)};
        QueueReply(Frame(kSetConfig, status));
        // A new polarity takes effect on the pin at once.
        SetChipSelect(m_bAsserted);
        return;
    }
    case kChipSelect:
        if (payload.size() != kChipSelectSize || (payload[0] & kChipSelectChange) == 0) {
            NoteMalformed();
            return;
        }
        SetChipSelect((payload[0] & kChipSelectDeassert) == 0);
        return;
    case kWriteRead: {
        if ((m_config[kClockPolarityAt] & kClockPolarityHigh) != 0 ||
            (m_config[kClockPhaseAt] & kClockPhaseSecondEdge) != 0 ||
            (m_config[kBitOrderAt] & kLeastSignificantFirst) != 0)
            ++m_nMisconfigured;
        std::vector<std::uint8_t> answer;
        for (const std::uint8_t out : payload)
            answer.push_back(ExchangeByte(out));
        QueueReply(Frame(kWriteRead, answer));
        return;
    }
    default:
        NoteMalformed();
    }
}

bool Ch347Simulation::ChipSelectPin() const
{
    const bool activeHigh = (m_config[kChipSelectPolarityAt] & kChipSelect1ActiveHigh) != 0;
    return m_bAsserted == activeHigh;
}

void Ch347Simulation::SetChipSelect(bool asserted)
{
    m_bAsserted = asserted;
    Chip().Drive(ChipSelectPin(), false, m_bDataIn);
}

std::uint8_t Ch347Simulation::ExchangeByte(std::uint8_t out)
{
    const unsigned index = (m_config[kClockIndexAt] & kClockIndexMask) >> kClockIndexShift;
    const std::chrono::nanoseconds half = ClockPeriod(index) / 2;
    std::uint8_t in = 0;
    // Mode 0: DI set with SK low, DO sampled as SK rises, before the chip answers that edge.
    for (int bit = 7; bit >= 0; --bit) {
        m_bDataIn = ((out >> bit) & 1) != 0;
        Chip().Drive(ChipSelectPin(), false, m_bDataIn);
        Clock().Wait(half);
        if (Chip().DataOut())
            in = static_cast<std::uint8_t>(in | 1u << bit);
        Chip().Drive(ChipSelectPin(), true, m_bDataIn);
        Clock().Wait(half);
    }
    Chip().Drive(ChipSelectPin(), false, m_bDataIn);
    return in;
}

} // namespace pemrix
