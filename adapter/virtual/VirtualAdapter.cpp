#include "adapter/virtual/VirtualAdapter.h"

#include <stdexcept>

namespace pemrix {

VirtualAdapter::Socket::Socket(const MicrowireGeometry& geometry, VirtualBusClock& clock,
                               const BusTiming& timing)
    : chip(geometry, clock, timing.partClass), port(chip), transactions(port, clock, timing),
      bus(transactions, clock, timing)
{
}

VirtualAdapter::VirtualAdapter(const std::filesystem::path& folder, const BusTiming& timing,
                               EepromType socketType, EepromOrganisation socketOrganisation)
    : m_store(folder), m_socketType(FindEepromType(socketType, socketOrganisation))
{
    for (const EepromTypeInfo& type : AllEepromTypes())
        m_sockets[EepromTypeSlot(type)] = std::make_unique<Socket>(
            *FindMicrowireGeometry(type.code, type.organisation), m_clock, timing);
}

MicrowireBus& VirtualAdapter::BusFor(const MicrowireGeometry& chip)
{
    if (!m_lock)
        m_lock.emplace(m_store.Folder());
    const EepromTypeInfo& held = HeldType(chip.code, OrganisationOf(chip));
    Socket& socket = *m_sockets[EepromTypeSlot(held)];
    // Words that could not be stored yet are newer than the file and wait for the next save.
    if (!socket.chip.Modified())
        socket.chip.LoadWords(m_store.Load(held));
    return socket.bus;
}

AdapterStatus VirtualAdapter::FinishRequest()
{
    AdapterStatus status = AdapterStatus::Ok;
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        MicrowireChip& chip = m_sockets[EepromTypeSlot(type)]->chip;
        if (!chip.Modified())
            continue;
        // A chip that could not be stored stays marked, so the next request tries again.
        if (m_store.Save(type, chip.Words()))
            chip.ClearModified();
        else
            status = AdapterStatus::VirtualChipNotSaved;
    }
    m_lock.reset();
    return status;
}

std::optional<MicrowireGeometry> VirtualAdapter::WriteEnabledChip() const
{
    for (const std::unique_ptr<Socket>& socket : m_sockets) {
        if (socket->bus.WriteEnabledChip())
            return socket->bus.WriteEnabledChip();
    }
    return std::nullopt;
}

MicrowireChip& VirtualAdapter::Chip(EepromType code, EepromOrganisation organisation)
{
    return m_sockets[EepromTypeSlot(HeldType(code, organisation))]->chip;
}

SimulatedLinePort& VirtualAdapter::Port(EepromType code, EepromOrganisation organisation)
{
    return m_sockets[EepromTypeSlot(HeldType(code, organisation))]->port;
}

const EepromTypeInfo& VirtualAdapter::HeldType(EepromType code,
                                               EepromOrganisation organisation) const
{
    if (m_socketType)
        return *m_socketType;
    const EepromTypeInfo* type = FindEepromType(code, organisation);
    if (!type)
        throw std::out_of_range("no virtual chip of that type");
    return *type;
}

} // namespace pemrix
