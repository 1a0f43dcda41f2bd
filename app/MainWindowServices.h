#pragma once

namespace pemrix {

class FileSystem;
class ProfileStore;
class UserInteraction;

// Everything through which the main window reaches the world; the composition root fills it
// with the real providers, tests with doubles.
struct MainWindowServices
{
    const ProfileStore& profile;
    UserInteraction& interaction;
    FileSystem& fileSystem;
};

} // namespace pemrix
