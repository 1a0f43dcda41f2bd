#pragma once

#include "files/RomOpenResult.h"

#include <string>

class QWidget;

namespace pemrix {

class FileSystem;
class ProfileStore;
class UserInteraction;
struct FileMessage;

// The Open and Save buttons: the file dialogs and message boxes around the image file logic.
// Memory running out or another failure while a file is read or written ends the command with
// its message; the window's image is left as it was.
class RomFileCommands
{
public:
    RomFileCommands(QWidget& owner, const ProfileStore& profile, UserInteraction& interaction,
                    FileSystem& fileSystem);

    // Asks for a file name and kind and writes the image there for the selected type.
    void Save(const MemoryImage& image);
    // Asks for a file and its kind and reads it; the caller installs an accepted result.
    RomOpenResult Open();

private:
    void Show(const FileMessage& message);

    QWidget& m_owner;
    const ProfileStore& m_profile;
    UserInteraction& m_interaction;
    FileSystem& m_fileSystem;
};

} // namespace pemrix
