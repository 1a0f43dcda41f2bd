#include "ChipCommandRunner.h"

#include "app/ChipCommandHost.h"
#include "core/Clock.h"
#include "core/DumpText.h"
#include "driver/DetectCommand.h"
#include "driver/ResultTexts.h"
#include "driver/SingleWordCommands.h"
#include "driver/WholeChipCommands.h"
#include "settings/ProfileKeys.h"
#include "settings/ProfileStore.h"
#include "settings/StoredEepromType.h"
#include "ui/BusyCursor.h"
#include "ui/CEraseDlg.h"
#include "ui/CFailedDlg.h"
#include "ui/CReadDlg.h"
#include "ui/CSucceededDlg.h"
#include "ui/CWralDlg.h"
#include "ui/CWriteDlg.h"
#include "ui/UserInteraction.h"

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

// Every request blocks until the driver answers; the wait cursor shows it.
template <typename Command> auto ChipCommandRunner::Send(Command command)
{
    const BusyCursor busy;
    return command(StoredPort());
}

template <typename Dialog, typename Command>
void ChipCommandRunner::RunWordCommand(int kind, Command command)
{
    Dialog dialog(m_services.profile, m_services.interaction, &m_owner);
    if (m_services.interaction.RunModal(dialog) != QDialog::Accepted)
        return;
    const std::time_t started = m_services.clock.Now();
    const WordCommandResult result =
        Send([&](std::uint32_t port) { return command(port, dialog); });
    Report(kind, result, started,
           {result.dialogAddress, result.dialogData, result.logAddress, result.logData});
}

// ReadAll and ERAL: the type from the profile, the dump rebuilt from the words read back.
template <typename Command> void ChipCommandRunner::RunRebuildingCommand(int kind, Command command)
{
    const EepromType type = ReadStoredEepromType(m_services.profile).code;
    const std::time_t started = m_services.clock.Now();
    const ImageCommandResult result =
        Send([&](std::uint32_t port) { return command(m_services.driver, port, type); });
    if (result.succeeded)
        m_host.RebuildDump(type, result.words);
    Report(kind, result, started, {});
}

void ChipCommandRunner::Read()
{
    RunWordCommand<CReadDlg>(kReadResultKind, [this](std::uint32_t port, CReadDlg& operands) {
        return ReadWord(m_services.driver, port, operands.m_nType, operands.m_nAddress);
    });
}

void ChipCommandRunner::Write()
{
    RunWordCommand<CWriteDlg>(kWriteResultKind, [this](std::uint32_t port, CWriteDlg& operands) {
        return WriteWord(m_services.driver, port, operands.m_nType, operands.m_nAddress,
                         operands.m_nData);
    });
}

void ChipCommandRunner::Erase()
{
    RunWordCommand<CEraseDlg>(kEraseResultKind, [this](std::uint32_t port, CEraseDlg& operands) {
        return EraseWord(m_services.driver, port, operands.m_nType, operands.m_nAddress);
    });
}

void ChipCommandRunner::ReadAll()
{
    RunRebuildingCommand(kReadAllResultKind, &pemrix::ReadAll);
}

void ChipCommandRunner::Eral()
{
    RunRebuildingCommand(kEralResultKind, &pemrix::Eral);
}

void ChipCommandRunner::WriteAll()
{
    const EepromType type = ReadStoredEepromType(m_services.profile).code;
    const std::time_t started = m_services.clock.Now();
    const DriverResult result = Send([&](std::uint32_t port) {
        return pemrix::WriteAll(m_services.driver, port, type,
                                ImageWords(m_host.CurrentDump(), type));
    });
    Report(kWriteAllResultKind, result, started, {});
}

void ChipCommandRunner::Wral()
{
    CWralDlg dialog(m_services.profile, m_services.interaction, &m_owner);
    if (m_services.interaction.RunModal(dialog) != QDialog::Accepted)
        return;
    const std::time_t started = m_services.clock.Now();
    const FillCommandResult result = Send([&](std::uint32_t port) {
        return pemrix::Wral(m_services.driver, port, dialog.m_nType, dialog.m_nData);
    });
    if (result.succeeded)
        m_host.RebuildDump(dialog.m_nType, result.words);
    Report(kWralResultKind, result, started, {0, 0, 0, result.data});
}

// The type found is selected as its button would select it; a failure, a driver without
// detection among them, is told in a message and leaves the type and the image as they were.
void ChipCommandRunner::DetectType()
{
    const EepromType selected = ReadStoredEepromType(m_services.profile).code;
    const std::time_t started = m_services.clock.Now();
    const DetectCommandResult result = Send(
        [&](std::uint32_t port) { return DetectChipType(m_services.driver, port, selected); });
    const std::string text = DetectionLogText(result);
    if (!result.succeeded) {
        m_services.interaction.ShowMessage(&m_owner, QString::fromStdString(text),
                                           QStringLiteral("Detect chip type"),
                                           MessageIcon::Warning);
        m_host.AppendLogLine(started, text, false);
        return;
    }
    // The type already selected keeps the image: its button could not be clicked either.
    if (result.type != selected)
        m_host.SelectEepromType(result.type);
    m_host.AppendLogLine(m_services.clock.Now(), text, true);
}

// Success lines carry the time after the device was closed and scroll the log to its end;
// failure lines carry the time the command started and leave the log where it is.
void ChipCommandRunner::Report(int kind, const DriverResult& result, std::time_t started,
                               const Shown& shown)
{
    if (result.succeeded) {
        const std::time_t finished = m_services.clock.Now();
        CSucceededDlg dialog(kind, shown.dialogAddress, shown.dialogData, &m_owner);
        m_services.interaction.RunModal(dialog);
        m_host.AppendLogLine(finished, SuccessLogText(kind, shown.logAddress, shown.logData), true);
        return;
    }
    CFailedDlg dialog(kind, result.errorCode, &m_owner);
    m_services.interaction.RunModal(dialog);
    m_host.AppendLogLine(started, FailureLogText(kind, result.errorCode), false);
}

} // namespace pemrix
