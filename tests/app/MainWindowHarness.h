#pragma once

#include "app/CVelmoraDlg.h"
#include "core/Clock.h"
#include "driver/ScriptedDriverLink.h"
#include "files/NativeFileSystem.h"
#include "settings/PortMachine.h"
#include "settings/ProfileStore.h"
#include "ui/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <memory>

namespace pemrix {

// A clock that moves one minute on each reading, so a test tells the readings apart.
class SteppingClock : public Clock
{
public:
    std::time_t Now() const override { return m_time++ * 60; }
    mutable std::time_t m_time = 1;
};

// A main window over a profile in a temporary folder, the scripted interaction seam and a
// machine described as data and the scripted driver (or any other link a test puts in
// m_driver); each test starts its own.
class MainWindowHarness
{
public:
    MainWindowHarness();

    // The window as constructed, before its start-up sequence.
    std::unique_ptr<CVelmoraDlg> MakeWindow();
    // Runs the start-up sequence and shows the window; null when start-up ended the program.
    std::unique_ptr<CVelmoraDlg> StartWindow();

    std::uint32_t StoredInt(const QString& key) const;

    // A dialog script that types into the fields named "address" and "data" that the dialog
    // has and presses its OK button.
    static ScriptedInteraction::DialogScript TypeAndConfirm(const QString& address,
                                                            const QString& data);
    // A dialog script that notes a result dialog's class and message in m_results.
    ScriptedInteraction::DialogScript NoteResult();
    QStringList m_results;

    // Clicks a command button as a user would: types the operands into its input dialog,
    // when it has one, and notes the result dialog of a chip command.
    void Run(CVelmoraDlg& window, int id, const QString& address = {}, const QString& data = {});
    // Points watch row `row` at an address in a format, as edits in the list would.
    static void SetWatch(CVelmoraDlg& window, int row, const char* address, const char* type);
    // Time and text of the operation log's last line.
    static QStringList LastLogLine(const CVelmoraDlg& window);
    QString TempPath(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    ProfileStore m_profile;
    ScriptedInteraction m_interaction;
    NativeFileSystem m_fileSystem;
    PortMachine m_machine;
    ScriptedDriverLink m_scriptedDriver;
    DriverLink* m_driver = &m_scriptedDriver;
    SteppingClock m_clock;
};

} // namespace pemrix
