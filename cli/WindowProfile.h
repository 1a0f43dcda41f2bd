#pragma once

#include "core/EepromTypeInfo.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pemrix {

// What the command-line tool takes from the window's profile: the type and the port the
// window used last, and the custom port it lists.
struct WindowProfile
{
    EepromType type = kDefaultEepromType;
    // None until the window has run: it stores the port it starts with, the top of its list.
    std::optional<std::uint32_t> port;
    std::uint32_t customPort = 0;
    EepromOrganisation organisation = EepromOrganisation::Words16;
};

// Reads an environment variable; nullptr when it is not set.
using EnvironmentVariable = std::function<const char*(const char*)>;

// The window's profile file: "Brantel Software/pemrix.ini" under $XDG_CONFIG_HOME, or under
// ~/.config where that is unset or not absolute.
std::string WindowProfilePath(const EnvironmentVariable& environment);

// The profile's values, each with the window's default where it is missing or unreadable;
// the port then is none.
WindowProfile ReadWindowProfile(const std::string& path);

} // namespace pemrix
