#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// A plain reader of the INI files the window's profile store writes: "[section]" lines and
// "key=value" lines, with the store's escapes in keys and section names ("%20" for a blank)
// undone and a quoted value unquoted. Lines it cannot read are skipped, as the store does.
class IniFile
{
public:
    static IniFile Parse(std::string_view text);
    // An unreadable or missing file reads as an empty one, so every value takes its default.
    static IniFile Load(const std::string& path);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

private:
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>> m_sections;
};

} // namespace pemrix
