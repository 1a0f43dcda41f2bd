#pragma once

#include "app/CVelmoraDlg.h"
#include "files/PosixFileSystem.h"
#include "settings/PortMachine.h"
#include "settings/ProfileStore.h"
#include "ui/ScriptedInteraction.h"

#include <QTemporaryDir>

#include <memory>

namespace pemrix {

// A main window over a profile in a temporary folder, the scripted interaction seam and a
// machine described as data; each test starts its own.
class MainWindowHarness
{
public:
    MainWindowHarness();

    // Runs the start-up sequence and shows the window; null when start-up ended the program.
    std::unique_ptr<CVelmoraDlg> StartWindow();

    std::uint32_t StoredInt(const QString& key) const;

    // A dialog script that types into the fields named "address" and "data" that the dialog
    // has and presses its OK button.
    static ScriptedInteraction::DialogScript TypeAndConfirm(const QString& address,
                                                            const QString& data);
    QString TempPath(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    ProfileStore m_profile;
    ScriptedInteraction m_interaction;
    PosixFileSystem m_fileSystem;
    PortMachine m_machine;
};

} // namespace pemrix
