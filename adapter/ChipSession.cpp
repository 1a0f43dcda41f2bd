#include "adapter/ChipSession.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace pemrix {

namespace {

// A cell travels zero-extended in its 32-bit field; only its low 16 or 8 bits reach the chip.
std::uint16_t ChipCell(const MicrowireGeometry& chip, std::uint32_t value)
{
    return static_cast<std::uint16_t>(value & ((1u << chip.dataBits) - 1));
}

} // namespace

ChipSession::ChipSession(PortConnector& connector) : m_connector(connector) {}

ChipSession::~ChipSession()
{
    Release();
}

void ChipSession::SetPort(std::uint32_t address)
{
    const PortId port = PortIdFromValue(address);
    if (m_port == port)
        return;
    Release();
    m_transfer = {};
    m_port = port;
    m_deferredStatus = AdapterStatus::Ok;
}

void ChipSession::EnableWrite(EepromType type)
{
    Defer(type,
          [](MicrowireBus& bus, const MicrowireGeometry& chip) { return bus.EnableWrite(chip); });
}

void ChipSession::DisableWrite(EepromType type)
{
    Defer(type,
          [](MicrowireBus& bus, const MicrowireGeometry& chip) { return bus.DisableWrite(chip); });
}

AdapterStatus ChipSession::Read(EepromType type, std::uint32_t address, std::uint32_t& data)
{
    return Answer(type, address, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        std::uint16_t word = 0;
        const AdapterStatus status = bus.Read(chip, address, word);
        if (status == AdapterStatus::Ok)
            data = word;
        return status;
    });
}

AdapterStatus ChipSession::Write(EepromType type, std::uint32_t address, std::uint32_t data)
{
    return Answer(
        type, address,
        [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
            return bus.Write(chip, address, ChipCell(chip, data));
        },
        Programs::Yes);
}

AdapterStatus ChipSession::Erase(EepromType type, std::uint32_t address)
{
    return Answer(
        type, address,
        [&](MicrowireBus& bus, const MicrowireGeometry& chip) { return bus.Erase(chip, address); },
        Programs::Yes);
}

AdapterStatus ChipSession::Fill(EepromType type, std::uint32_t data)
{
    return Answer(
        type, std::nullopt,
        [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
            return bus.WriteAll(chip, ChipCell(chip, data));
        },
        Programs::Yes);
}

AdapterStatus ChipSession::EraseAll(EepromType type)
{
    return Answer(
        type, std::nullopt,
        [](MicrowireBus& bus, const MicrowireGeometry& chip) { return bus.EraseAll(chip); },
        Programs::Yes);
}

AdapterStatus ChipSession::ReadImage(EepromType type, std::span<std::uint32_t> words)
{
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        std::vector<std::uint16_t> image(chip.words);
        const AdapterStatus status = m_transfer.Read(bus, chip, image, WordGate(chip));
        if (status == AdapterStatus::Ok)
            std::copy(image.begin(), image.end(), words.begin());
        return status;
    });
}

AdapterStatus ChipSession::WriteImage(EepromType type, std::span<const std::uint32_t> words)
{
    return Answer(
        type, std::nullopt,
        [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
            std::vector<std::uint16_t> image(chip.words);
            std::transform(words.begin(), words.begin() + chip.words, image.begin(),
                           [&chip](std::uint32_t value) { return ChipCell(chip, value); });
            return m_transfer.Write(bus, chip, image, WordGate(chip));
        },
        Programs::Yes);
}

AdapterStatus ChipSession::DetectType(EepromType type, ChipTypeDetection& detection)
{
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry&) {
        detection = ProbeChipType(bus);
        return detection.status;
    });
}

AdapterStatus ChipSession::DetectOrganisation(EepromType type, ChipOrganisationDetection& detection)
{
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry&) {
        detection = ProbeChipOrganisation(bus);
        return detection.status;
    });
}

ImageTransfer::WordGate ChipSession::WordGate(const MicrowireGeometry& chip) const
{
    return [this, words = chip.words](std::uint32_t address) {
        return !m_progress || m_progress->BeforeWord(address, words);
    };
}

AdapterStatus ChipSession::Answer(EepromType type, std::optional<std::uint32_t> address,
                                  const BusOperation& operation, Programs programs)
{
    if (m_deferredStatus != AdapterStatus::Ok)
        return std::exchange(m_deferredStatus, AdapterStatus::Ok);
    return Run(type, address, operation, programs);
}

void ChipSession::Defer(EepromType type, const BusOperation& operation)
{
    const AdapterStatus status = Run(type, std::nullopt, operation, Programs::No);
    if (m_deferredStatus == AdapterStatus::Ok)
        m_deferredStatus = status;
}

AdapterStatus ChipSession::Run(EepromType type, std::optional<std::uint32_t> address,
                               const BusOperation& operation, Programs programs)
{
    const std::optional<MicrowireGeometry> chip = FindMicrowireGeometry(type, m_organisation);
    if (!chip)
        return AdapterStatus::BadType;
    if (address && *address >= chip->words)
        return AdapterStatus::AddressBeyondChip;
    if (!m_port)
        return AdapterStatus::NoPort;
    if (!m_adapter) {
        AdapterStatus status = AdapterStatus::Ok;
        m_adapter = m_connector.Connect(*m_port, status);
        if (!m_adapter)
            return status;
    }
    const std::optional<MicrowireGeometry> writeEnabled = m_adapter->WriteEnabledChip();
    MicrowireBus& bus = m_adapter->BusFor(*chip);
    // A chip still busy ignores this EWDS, and the instruction's own opening then finds it busy.
    if (programs == Programs::Yes && !writeEnabled)
        bus.DisableWrite(*chip);
    const AdapterStatus busStatus = operation(bus, *chip);
    const AdapterStatus adapterStatus = m_adapter->FinishRequest();
    // The program sends nothing more after a failed step, not even its write disable.
    if (adapterStatus != AdapterStatus::Ok) {
        if (writeEnabled)
            m_adapter->BusFor(*writeEnabled).KeepWriteEnabled(*writeEnabled);
        WriteProtect(false);
        return adapterStatus;
    }
    // A chip that never showed busy may still be programming behind a DO stuck high.
    if (busStatus != AdapterStatus::Ok)
        WriteProtect(busStatus != AdapterStatus::NoChip);
    return busStatus;
}

void ChipSession::WriteProtect(bool lineTrusted)
{
    const std::optional<MicrowireGeometry> chip =
        m_adapter ? m_adapter->WriteEnabledChip() : std::nullopt;
    if (!chip)
        return;
    // A USB transfer lost now and then (a time-out, a short reply) may take the EWDS with it, so
    // it is sent again a few times; one the port lost is also tried when the adapter is let go.
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        MicrowireBus& bus = m_adapter->BusFor(*chip);
        // A chip still programming ignores EWDS, so its cycle must end first; where DO cannot
        // be trusted to show when it does, its longest cycle is waited out.
        if (lineTrusted)
            bus.AwaitIdle();
        else
            bus.WaitOutProgramming();
        bus.DisableWrite(*chip);
        const AdapterStatus status = m_adapter->FinishRequest();
        if (status == AdapterStatus::Ok)
            return;
        bus.KeepWriteEnabled(*chip);
        if (status != AdapterStatus::UsbTransferFailed)
            return;
        lineTrusted = false;
    }
}

void ChipSession::Release()
{
    WriteProtect(true);
    m_adapter.reset();
}

} // namespace pemrix
