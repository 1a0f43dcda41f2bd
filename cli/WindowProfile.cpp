#include "WindowProfile.h"

#include "cli/IniFile.h"

#include <charconv>
#include <optional>

namespace pemrix {

namespace {

constexpr std::string_view kSection = "2.0";

// The store's rule: unsigned decimal text of a 32-bit value, else none.
std::optional<std::uint32_t> ProfileInt(const IniFile& file, std::string_view key)
{
    const std::optional<std::string> text = file.Value(kSection, key);
    if (!text || text->empty())
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size())
        return std::nullopt;
    return value;
}

} // namespace

std::string WindowProfilePath(const EnvironmentVariable& environment)
{
    const char* config = environment("XDG_CONFIG_HOME");
    std::string folder;
    if (config && config[0] == '/')
        folder = config;
    else if (const char* home = environment("HOME"))
        folder = std::string(home) + "/.config";
    return folder + "/Brantel Software/pemrix.ini";
}

WindowProfile ReadWindowProfile(const std::string& path)
{
    const IniFile file = IniFile::Load(path);
    return {ProfileInt(file, "EEPROM TYPE").value_or(kDefaultEepromType),
            ProfileInt(file, "PARALLEL PORT"), ProfileInt(file, "CUSTOM PORT").value_or(0),
            ProfileInt(file, "EEPROM ORG") == 8u ? EepromOrganisation::Bytes8
                                                 : EepromOrganisation::Words16};
}

} // namespace pemrix
