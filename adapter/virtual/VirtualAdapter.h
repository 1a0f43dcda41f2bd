#pragma once

#include "adapter/Adapter.h"
#include "adapter/bus/BusTiming.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/chip/MicrowireChip.h"
#include "adapter/ports/LineTransactionPort.h"
#include "adapter/ports/SimulatedLinePort.h"
#include "adapter/bus/VirtualBusClock.h"
#include "adapter/virtual/VirtualChipLock.h"
#include "adapter/virtual/VirtualChipStore.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

namespace pemrix {

// The adapter at kVirtualAdapterBase: one simulated chip of every type in each organisation,
// each in its own socket, all in one virtual time. A request reaches the chip of its own type
// code and organisation. Several program instances may share the chips' folder, so each
// request holds the folder's lock from its first bus access to its end, takes the chip's words
// from its data file first and stores what it programmed before it ends: every instance sees
// one chip.
// Given a socket type, the adapter holds that one chip instead, which every request meets
// whatever type it names, as a real socket would.
class VirtualAdapter : public Adapter
{
public:
    VirtualAdapter(const std::filesystem::path& folder, const BusTiming& timing,
                   EepromType socketType = 0,
                   EepromOrganisation socketOrganisation = EepromOrganisation::Words16);

    MicrowireBus& BusFor(const MicrowireGeometry& chip) override;
    AdapterStatus FinishRequest() override;
    // The sockets' buses outlive a handle, so an EWDS one handle owed is sent by the next.
    std::optional<MicrowireGeometry> WriteEnabledChip() const override;

    // For tests and benchmarks: the chip and the port of a type code from 1 to 6.
    MicrowireChip& Chip(EepromType code,
                        EepromOrganisation organisation = EepromOrganisation::Words16);
    SimulatedLinePort& Port(EepromType code,
                            EepromOrganisation organisation = EepromOrganisation::Words16);
    VirtualBusClock& Clock() { return m_clock; }

private:
    struct Socket
    {
        Socket(const MicrowireGeometry& geometry, VirtualBusClock& clock, const BusTiming& timing);
        MicrowireChip chip;
        SimulatedLinePort port;
        LineTransactionPort transactions;
        MicrowireBus bus;
    };

    // The type of the chip a request for `code` in `organisation` meets.
    const EepromTypeInfo& HeldType(EepromType code, EepromOrganisation organisation) const;

    VirtualChipStore m_store;
    std::optional<VirtualChipLock> m_lock;
    VirtualBusClock m_clock;
    // By position in the type table.
    std::array<std::unique_ptr<Socket>, kEepromTypeCount> m_sockets;
    const EepromTypeInfo* m_socketType;
};

} // namespace pemrix
