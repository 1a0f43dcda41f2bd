#include "adapter/BuiltInDriverPaths.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace pemrix {

namespace {

constexpr const char* kFolderName = "pemrix";

std::filesystem::path HomeFolder(const EnvironmentLookup& environment)
{
    const char* home = environment("HOME");
    if (home && *home)
        return home;
    // Without HOME, the password database still knows the user's home.
    std::vector<char> buffer(16 * 1024);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return std::filesystem::current_path();
}

// The XDG rule: a base folder variable counts only when it holds an absolute path.
std::filesystem::path BaseFolder(const EnvironmentLookup& environment, const char* variable,
                                 const std::filesystem::path& homeRelative)
{
    const char* value = environment(variable);
    if (value && std::filesystem::path(value).is_absolute())
        return value;
    return HomeFolder(environment) / homeRelative;
}

} // namespace

BuiltInDriverPaths UserBuiltInDriverPaths(const EnvironmentLookup& environment)
{
    BuiltInDriverPaths paths;
    paths.settingsFile =
        BaseFolder(environment, "XDG_CONFIG_HOME", ".config") / kFolderName / "driver.conf";
    paths.virtualChipFolder =
        BaseFolder(environment, "XDG_DATA_HOME", ".local/share") / kFolderName;
    return paths;
}

BuiltInDriverPaths UserBuiltInDriverPaths()
{
    return UserBuiltInDriverPaths([](const char* name) { return std::getenv(name); });
}

} // namespace pemrix
