#include "adapter/virtual/VirtualAdapter.h"

namespace pemrix {

VirtualAdapter::Socket::Socket(const MicrowireGeometry& geometry, VirtualBusClock& clock,
                               const BusTiming& timing)
    : chip(geometry, clock), port(chip), transactions(port, clock, timing),
      bus(transactions, clock, timing)
{
}

VirtualAdapter::VirtualAdapter(const std::filesystem::path& folder, const BusTiming& timing)
    : m_store(folder)
{
    for (const EepromTypeInfo& type : EepromTypes()) {
        auto socket = std::make_unique<Socket>(*FindMicrowireGeometry(type.code), m_clock, timing);
        socket->chip.LoadWords(m_store.Load(type));
        m_sockets[type.code - 1] = std::move(socket);
    }
}

MicrowireBus& VirtualAdapter::BusFor(const MicrowireGeometry& chip)
{
    return SocketFor(chip.code).bus;
}

AdapterStatus VirtualAdapter::FinishRequest()
{
    AdapterStatus status = AdapterStatus::Ok;
    for (const EepromTypeInfo& type : EepromTypes()) {
        MicrowireChip& chip = SocketFor(type.code).chip;
        if (!chip.Modified())
            continue;
        // A chip that could not be stored stays marked, so the next request tries again.
        if (m_store.Save(type, chip.Words()))
            chip.ClearModified();
        else
            status = AdapterStatus::VirtualChipNotSaved;
    }
    return status;
}

MicrowireChip& VirtualAdapter::Chip(EepromType code)
{
    return SocketFor(code).chip;
}

SimulatedLinePort& VirtualAdapter::Port(EepromType code)
{
    return SocketFor(code).port;
}

VirtualAdapter::Socket& VirtualAdapter::SocketFor(EepromType code)
{
    return *m_sockets.at(code - 1);
}

} // namespace pemrix
