#pragma once

#include "adapter/Adapter.h"
#include "adapter/AdapterStatus.h"
#include "adapter/bus/ChipOrganisationDetection.h"
#include "adapter/bus/ChipTypeDetection.h"
#include "adapter/bus/ImageTransfer.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/PortConnector.h"
#include "adapter/PortId.h"
#include "driver/DriverLink.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace pemrix {

// One driver handle's state and operations: the port it chose and, from the first request
// that needs it, the adapter there. Record requests answer with a status. The 4-byte write
// enable and disable have none, so what keeps them from the chip is held back and becomes the
// status of the next record request, which is then not carried out.
//
// A chip is never left write-enabled: when a request fails, and when the adapter is let go,
// an EWEN that no EWDS followed gets its EWDS from the session itself. A programming request
// that no EWEN of this handle enabled sends an EWDS first, so a chip that an earlier process
// (killed, or whose EWDS a chip still programming ignored) left enabled does not take it.
class ChipSession
{
public:
    explicit ChipSession(PortConnector& connector);
    ~ChipSession();
    ChipSession(const ChipSession&) = delete;
    ChipSession& operator=(const ChipSession&) = delete;

    // REQ_SET_PORT: the one place the driver reads a port from its 32-bit value.
    void SetPort(std::uint32_t address);
    // The organisation the next requests' type codes name: the request code tells it.
    void UseOrganisation(EepromOrganisation organisation) { m_organisation = organisation; }
    // The whole-chip reads and writes tell `progress` of each word and stop where it asks.
    void WatchWords(DriverProgress* progress) { m_progress = progress; }
    void EnableWrite(EepromType type);
    void DisableWrite(EepromType type);

    AdapterStatus Read(EepromType type, std::uint32_t address, std::uint32_t& data);
    AdapterStatus Write(EepromType type, std::uint32_t address, std::uint32_t data);
    AdapterStatus Erase(EepromType type, std::uint32_t address);
    AdapterStatus Fill(EepromType type, std::uint32_t data);
    AdapterStatus EraseAll(EepromType type);
    AdapterStatus ReadImage(EepromType type, std::span<std::uint32_t> words);
    AdapterStatus WriteImage(EepromType type, std::span<const std::uint32_t> words);
    // Tells the type of the chip in the socket of `type`, reading only.
    AdapterStatus DetectType(EepromType type, ChipTypeDetection& detection);
    // Tells size and organisation of the chip in the socket of `type`, reading only.
    AdapterStatus DetectOrganisation(EepromType type, ChipOrganisationDetection& detection);

private:
    using BusOperation = std::function<AdapterStatus(MicrowireBus&, const MicrowireGeometry&)>;

    // Whether a request sends the chip a programming instruction.
    enum class Programs
    {
        No,
        Yes,
    };

    AdapterStatus Answer(EepromType type, std::optional<std::uint32_t> address,
                         const BusOperation& operation, Programs programs = Programs::No);
    void Defer(EepromType type, const BusOperation& operation);
    AdapterStatus Run(EepromType type, std::optional<std::uint32_t> address,
                      const BusOperation& operation, Programs programs);
    // Sends EWDS to a chip the adapter's bus left write-enabled.
    void WriteProtect(bool lineTrusted);
    void Release();

    // Tells the watching progress of each word of `chip` and asks it whether to go on.
    ImageTransfer::WordGate WordGate(const MicrowireGeometry& chip) const;

    PortConnector& m_connector;
    DriverProgress* m_progress = nullptr;
    std::optional<PortId> m_port;
    std::shared_ptr<Adapter> m_adapter;
    AdapterStatus m_deferredStatus = AdapterStatus::Ok;
    EepromOrganisation m_organisation = EepromOrganisation::Words16;
    // What this handle learnt of the chips at its port.
    ImageTransfer m_transfer;
};

} // namespace pemrix
