#include "ChipCommandRunner.h"

#include "app/ChipCommandHost.h"
#include "app/CommandInBackground.h"
#include "core/Clock.h"
#include "core/DumpText.h"
#include "core/HexText.h"
#include "driver/ChipDetection.h"
#include "driver/OrganisationRequests.h"
#include "driver/ResultTexts.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "settings/StoredEepromType.h"
#include "ui/CEraseDlg.h"
#include "ui/CFailedDlg.h"
#include "ui/CReadDlg.h"
#include "ui/CSucceededDlg.h"
#include "ui/CWralDlg.h"
#include "ui/CWriteDlg.h"
#include "ui/OutOfMemoryMessage.h"
#include "ui/UserInteraction.h"

#include <new>

namespace pemrix {

ChipCommandRunner::ChipCommandRunner(QWidget& owner, const MainWindowServices& services,
                                     ChipCommandHost& host)
    : m_owner(owner), m_services(services), m_host(host)
{
}

std::uint32_t ChipCommandRunner::StoredPort() const
{
    return m_services.profile.GetProfileInt(profile::kSection, profile::kParallelPort,
                                            profile::kDefaultParallelPort);
}

// Memory that runs out during a command ends the command with the message the framework
// gives, before anything of its outcome is shown or stored.
template <typename Body> void ChipCommandRunner::Guard(Body body)
{
    try {
        body();
    } catch (const std::bad_alloc&) {
        ShowOutOfMemory(m_services.interaction, &m_owner);
    }
}

// The driver's requests run off the window's thread; `wordsInAll` is how many words they
// move one by one, for the progress dialog.
template <typename Command>
auto ChipCommandRunner::Send(int kind, std::uint32_t wordsInAll, Command command)
{
    const std::uint32_t port = StoredPort();
    return RunInBackground(m_services.driver, m_services.interaction, m_owner, kind, wordsInAll,
                           [&command, port] { return command(port); });
}

template <typename Dialog, typename Command>
void ChipCommandRunner::RunWordCommand(int kind, Command command)
{
    Guard([&] {
        Dialog dialog(m_services.profile, m_services.interaction, &m_owner);
        if (m_services.interaction.RunModal(dialog) != QDialog::Accepted)
            return;
        const std::time_t started = m_services.clock.Now();
        const auto [result, stoppedAt] =
            Send(kind, 0, [&](std::uint32_t port) { return command(port, dialog); });
        if (ReportMissingBytes8(*dialog.m_pType, result, started))
            return;
        Report(kind, result, started,
               {result.dialogAddress, result.dialogData, result.logAddress, result.logData,
                stoppedAt, CellDigitCount(*dialog.m_pType)});
    });
}

// ReadAll and ERAL: the type from the profile, the dump rebuilt from the words read back.
template <typename Command> void ChipCommandRunner::RunRebuildingCommand(int kind, Command command)
{
    Guard([&] {
        const EepromTypeInfo& type = ReadStoredEepromType(m_services.profile);
        // ReadAll reads the chip twice; ERAL reads it back once.
        const std::uint32_t reads = kind == kReadAllResultKind ? 2 : 1;
        const std::time_t started = m_services.clock.Now();
        const auto [result, stoppedAt] = Send(kind, reads * type.words, [&](std::uint32_t port) {
            return command(m_services.driver, port, type);
        });
        if (ReportMissingBytes8(type, result, started))
            return;
        if (result.succeeded)
            m_host.RebuildDump(type, result.words);
        Report(kind, result, started, {.stoppedAt = stoppedAt});
    });
}

void ChipCommandRunner::Read()
{
    RunWordCommand<CReadDlg>(kReadResultKind, [this](std::uint32_t port, CReadDlg& operands) {
        return ReadCell(m_services.driver, port, *operands.m_pType, operands.m_nAddress);
    });
}

void ChipCommandRunner::Write()
{
    RunWordCommand<CWriteDlg>(kWriteResultKind, [this](std::uint32_t port, CWriteDlg& operands) {
        return WriteCell(m_services.driver, port, *operands.m_pType, operands.m_nAddress,
                         operands.m_nData);
    });
}

void ChipCommandRunner::Erase()
{
    RunWordCommand<CEraseDlg>(kEraseResultKind, [this](std::uint32_t port, CEraseDlg& operands) {
        return EraseCell(m_services.driver, port, *operands.m_pType, operands.m_nAddress);
    });
}

void ChipCommandRunner::ReadAll()
{
    RunRebuildingCommand(kReadAllResultKind, &pemrix::ReadAllCells);
}

void ChipCommandRunner::Eral()
{
    RunRebuildingCommand(kEralResultKind, &pemrix::EralCells);
}

void ChipCommandRunner::WriteAll()
{
    Guard([&] {
        const EepromTypeInfo& type = ReadStoredEepromType(m_services.profile);
        const std::vector<std::uint32_t> words = m_host.CurrentImage().Cells();
        const std::time_t started = m_services.clock.Now();
        // The chip is written, then read back.
        const auto [result, stoppedAt] =
            Send(kWriteAllResultKind, 2 * type.words, [&](std::uint32_t port) {
                return WriteAllCells(m_services.driver, port, type, words);
            });
        if (ReportMissingBytes8(type, result, started))
            return;
        Report(kWriteAllResultKind, result, started, {.stoppedAt = stoppedAt});
    });
}

void ChipCommandRunner::Wral()
{
    Guard([&] {
        CWralDlg dialog(m_services.profile, m_services.interaction, &m_owner);
        if (m_services.interaction.RunModal(dialog) != QDialog::Accepted)
            return;
        const EepromTypeInfo& type = *dialog.m_pType;
        const std::uint32_t data = dialog.m_nData;
        const std::time_t started = m_services.clock.Now();
        const auto [result, stoppedAt] = Send(kWralResultKind, type.words, [&](std::uint32_t port) {
            return WralCells(m_services.driver, port, type, data);
        });
        if (ReportMissingBytes8(type, result, started))
            return;
        if (result.succeeded)
            m_host.RebuildDump(type, result.words);
        Report(kWralResultKind, result, started,
               {0, 0, 0, result.data, stoppedAt, CellDigitCount(type)});
    });
}

// The type found is selected, size and organisation, as its button and the menu would select
// it; a failure, a driver without detection among them, is told in a message and leaves the
// type and the image as they were. A driver without the organisation request is asked the
// 16-bit question it has always known.
void ChipCommandRunner::DetectType()
{
    const EepromTypeInfo& selected = ReadStoredEepromType(m_services.profile);
    const std::time_t started = m_services.clock.Now();
    // A handful of READ instructions, over before any progress window could show, so it runs
    // on the window's thread.
    DetectedChip result = DetectChip(m_services.driver, StoredPort(), selected);
    const std::string& text = result.logText;
    if (!result.succeeded) {
        m_services.interaction.ShowMessage(&m_owner, QString::fromStdString(text),
                                           QStringLiteral("Detect chip type"),
                                           MessageIcon::Warning);
        m_host.AppendLogLine(started, text, false);
        return;
    }
    // The type already selected keeps the image: its button could not be clicked either.
    if (result.type != &selected)
        m_host.SelectChipType(*result.type);
    m_host.AppendLogLine(m_services.clock.Now(), text, true);
}

// An 8-bit command that a driver without the _X8 requests refused touched nothing: that is
// said instead of the failure dialog, and the image stays as it was.
bool ChipCommandRunner::ReportMissingBytes8(const EepromTypeInfo& type, const DriverResult& result,
                                            std::time_t started)
{
    if (type.organisation != EepromOrganisation::Bytes8 || !DriverLacksRequest(result))
        return false;
    const QString text = QStringLiteral("The driver does not offer 8-bit organisation.");
    m_services.interaction.ShowMessage(&m_owner, text, QStringLiteral("8-bit organisation"),
                                       MessageIcon::Warning);
    m_host.AppendLogLine(started, text.toStdString(), false);
    return true;
}

// Success lines carry the time after the device was closed and scroll the log to its end;
// failure lines carry the time the command started and leave the log where it is.
void ChipCommandRunner::Report(int kind, const DriverResult& result, std::time_t started,
                               const Shown& shown)
{
    if (result.succeeded) {
        const std::time_t finished = m_services.clock.Now();
        CSucceededDlg dialog(kind, shown.dialogAddress, shown.dialogData, shown.dataDigits,
                             &m_owner);
        m_services.interaction.RunModal(dialog);
        m_host.AppendLogLine(
            finished, SuccessLogText(kind, shown.logAddress, shown.logData, shown.dataDigits),
            true);
        return;
    }
    CFailedDlg dialog(kind, result.errorCode, &m_owner);
    m_services.interaction.RunModal(dialog);
    std::string text = FailureLogText(kind, result.errorCode);
    if (shown.stoppedAt)
        text += "   Stopped at address " + FormatHex4(*shown.stoppedAt);
    m_host.AppendLogLine(started, text, false);
}

} // namespace pemrix
