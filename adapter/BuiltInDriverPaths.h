#pragma once

#include <filesystem>
#include <functional>

namespace pemrix {

// Where the built-in driver keeps its settings and the virtual chips, and where it looks for
// the machine's parallel ports.
struct BuiltInDriverPaths
{
    std::filesystem::path settingsFile;
    std::filesystem::path virtualChipFolder;
    std::filesystem::path procRoot = "/proc";
    std::filesystem::path devRoot = "/dev";
};

// Reads an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The per-user defaults: $XDG_CONFIG_HOME/pemrix/driver.conf and $XDG_DATA_HOME/pemrix, with
// ~/.config and ~/.local/share where those are unset or not absolute.
BuiltInDriverPaths UserBuiltInDriverPaths(const EnvironmentLookup& environment);

// The same from this process's environment.
BuiltInDriverPaths UserBuiltInDriverPaths();

} // namespace pemrix
