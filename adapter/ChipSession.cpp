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
    if (m_portAddress == address)
        return;
    Release();
    m_transfer = {};
    m_portAddress = address;
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
    return Answer(type, address, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        return bus.Write(chip, address, ChipCell(chip, data));
    });
}

AdapterStatus ChipSession::Erase(EepromType type, std::uint32_t address)
{
    return Answer(type, address, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        return bus.Erase(chip, address);
    });
}

AdapterStatus ChipSession::Fill(EepromType type, std::uint32_t data)
{
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        return bus.WriteAll(chip, ChipCell(chip, data));
    });
}

AdapterStatus ChipSession::EraseAll(EepromType type)
{
    return Answer(type, std::nullopt, [](MicrowireBus& bus, const MicrowireGeometry& chip) {
        return bus.EraseAll(chip);
    });
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
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry& chip) {
        std::vector<std::uint16_t> image(chip.words);
        std::transform(words.begin(), words.begin() + chip.words, image.begin(),
                       [&chip](std::uint32_t value) { return ChipCell(chip, value); });
        return m_transfer.Write(bus, chip, image, WordGate(chip));
    });
}

AdapterStatus ChipSession::DetectType(EepromType type, ChipTypeDetection& detection)
{
    return Answer(type, std::nullopt, [&](MicrowireBus& bus, const MicrowireGeometry&) {
        detection = ProbeChipType(bus);
        return detection.status;
    });
}

AdapterStatus ChipSession::DetectOrganisation(EepromType type,
                                              ChipOrganisationDetection& detection)
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
                                  const BusOperation& operation)
{
    if (m_deferredStatus != AdapterStatus::Ok)
        return std::exchange(m_deferredStatus, AdapterStatus::Ok);
    return Run(type, address, operation);
}

void ChipSession::Defer(EepromType type, const BusOperation& operation)
{
    const AdapterStatus status = Run(type, std::nullopt, operation);
    if (m_deferredStatus == AdapterStatus::Ok)
        m_deferredStatus = status;
}

AdapterStatus ChipSession::Run(EepromType type, std::optional<std::uint32_t> address,
                               const BusOperation& operation)
{
    const std::optional<MicrowireGeometry> chip = FindMicrowireGeometry(type, m_organisation);
    if (!chip)
        return AdapterStatus::BadType;
    if (address && *address >= chip->words)
        return AdapterStatus::AddressBeyondChip;
    if (!m_portAddress)
        return AdapterStatus::NoPort;
    if (!m_adapter) {
        AdapterStatus status = AdapterStatus::Ok;
        m_adapter = m_connector.Connect(*m_portAddress, status);
        if (!m_adapter)
            return status;
    }
    const std::optional<MicrowireGeometry> writeEnabled = m_adapter->WriteEnabledChip();
    const AdapterStatus busStatus = operation(m_adapter->BusFor(*chip), *chip);
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
    MicrowireBus& bus = m_adapter->BusFor(*chip);
    // A chip still programming ignores EWDS, so its cycle must end first; where DO cannot be
    // trusted to show when it does, its longest cycle is waited out.
    if (lineTrusted)
        bus.AwaitIdle();
    else
        bus.WaitOutProgramming();
    bus.DisableWrite(*chip);
    // Tried again when the adapter is let go, should the port have lost this one too.
    if (m_adapter->FinishRequest() != AdapterStatus::Ok)
        bus.KeepWriteEnabled(*chip);
}

void ChipSession::Release()
{
    WriteProtect(true);
    m_adapter.reset();
}

} // namespace pemrix
