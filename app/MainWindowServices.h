#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace pemrix {

class Clock;
class DriverLink;
class FileSystem;
class PortPlatform;
class ProfileStore;
class UserInteraction;

// Everything through which the main window reaches the world; the composition root fills it
// with the real providers, tests with doubles.
struct MainWindowServices
{
    const ProfileStore& profile;
    UserInteraction& interaction;
    FileSystem& fileSystem;
    DriverLink& driver;
    const Clock& clock;
    // Port discovery reads the machine when its platform is made, so it is made right
    // before the combo is filled.
    std::function<std::unique_ptr<PortPlatform>()> makePortPlatform;
    // The HTML help document beside the executable.
    QString helpFile;
};

} // namespace pemrix
