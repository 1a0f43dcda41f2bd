#pragma once

#include "adapter/Adapter.h"
#include "adapter/AdapterStatus.h"
#include "adapter/bus/ImageTransfer.h"
#include "adapter/bus/MicrowireBus.h"
#include "adapter/bus/MicrowireGeometry.h"
#include "adapter/PortConnector.h"

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
// an EWEN that no EWDS followed gets its EWDS from the session itself.
class ChipSession
{
public:
    explicit ChipSession(PortConnector& connector);
    ~ChipSession();
    ChipSession(const ChipSession&) = delete;
    ChipSession& operator=(const ChipSession&) = delete;

    void SetPort(std::uint32_t address);
    void EnableWrite(EepromType type);
    void DisableWrite(EepromType type);

    AdapterStatus Read(EepromType type, std::uint32_t address, std::uint32_t& data);
    AdapterStatus Write(EepromType type, std::uint32_t address, std::uint32_t data);
    AdapterStatus Erase(EepromType type, std::uint32_t address);
    AdapterStatus Fill(EepromType type, std::uint32_t data);
    AdapterStatus EraseAll(EepromType type);
    AdapterStatus ReadImage(EepromType type, std::span<std::uint32_t> words);
    AdapterStatus WriteImage(EepromType type, std::span<const std::uint32_t> words);

private:
    using BusOperation = std::function<AdapterStatus(MicrowireBus&, const MicrowireGeometry&)>;

    AdapterStatus Answer(EepromType type, std::optional<std::uint32_t> address,
                         const BusOperation& operation);
    void Defer(EepromType type, const BusOperation& operation);
    AdapterStatus Run(EepromType type, std::optional<std::uint32_t> address,
                      const BusOperation& operation);
    // Sends EWDS to a chip the adapter's bus left write-enabled.
    void WriteProtect(bool lineTrusted);
    void Release();

    PortConnector& m_connector;
    std::optional<std::uint32_t> m_portAddress;
    std::shared_ptr<Adapter> m_adapter;
    AdapterStatus m_deferredStatus = AdapterStatus::Ok;
    // What this handle learnt of the chips at its port.
    ImageTransfer m_transfer;
};

} // namespace pemrix
