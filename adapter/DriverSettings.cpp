#include "adapter/DriverSettings.h"

#include "core/HexText.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace pemrix {

namespace {

// The part class's datasheet figures give the shortest half period (BusTimingFor); a longer
// one than 1 ms is slower than anyone would wait for.
constexpr std::int64_t kLongestHalfPeriodNs = 1'000'000;
// A settings file is a few lines; reading stops here whatever the file is.
constexpr std::size_t kLongestSettingsFile = 64 * 1024;

// Parsed settings with the half period asked for kept apart, since the part class that sets
// its floor may come on a later line.
struct ParsedSettings
{
    DriverSettings settings;
    std::optional<std::chrono::nanoseconds> halfPeriod;
};

void ApplyHalfPeriod(std::string_view value, ParsedSettings& parsed)
{
    DriverSettings& settings = parsed.settings;
    std::int64_t nanoseconds = 0;
    const auto [end, error] =
        std::from_chars(value.data(), value.data() + value.size(), nanoseconds);
    if (error != std::errc() || end != value.data() + value.size() || nanoseconds <= 0 ||
        nanoseconds > kLongestHalfPeriodNs) {
        settings.notices.push_back(DriverSettingText("half_period_ns", value) +
                                   " is not a number of ns up to " +
                                   std::to_string(kLongestHalfPeriodNs) + "; " +
                                   std::to_string(settings.timing.halfPeriod.count()) + " is used");
        return;
    }
    parsed.halfPeriod = std::chrono::nanoseconds(nanoseconds);
}

void ApplyPartClass(std::string_view value, DriverSettings& settings)
{
    if (const PartClassInfo* info = FindPartClass(value)) {
        BusTiming timing = BusTimingFor(info->partClass);
        timing.dummyBitCheckOnly = settings.timing.dummyBitCheckOnly;
        timing.rewriteEqualWords = settings.timing.rewriteEqualWords;
        settings.timing = timing;
        return;
    }
    std::string known;
    for (const PartClassInfo& info : PartClasses())
        known += (known.empty() ? "" : ", ") + std::string(info.name);
    settings.notices.push_back(
        DriverSettingText("part_class", value) + " is no part class (" + known + "); " +
        std::string(PartClassOf(settings.timing.partClass).name) + " is used");
}

// A half period shorter than the class allows is raised to the class's own.
void SettleHalfPeriod(ParsedSettings& parsed)
{
    DriverSettings& settings = parsed.settings;
    if (!parsed.halfPeriod)
        return;
    const std::chrono::nanoseconds shortest = settings.timing.halfPeriod;
    if (*parsed.halfPeriod < shortest) {
        settings.notices.push_back(
            DriverSettingText("half_period_ns", std::to_string(parsed.halfPeriod->count())) +
            " is too fast for the part class " +
            std::string(PartClassOf(settings.timing.partClass).name) + "; " +
            std::to_string(shortest.count()) + " is used");
        return;
    }
    settings.timing.halfPeriod = *parsed.halfPeriod;
}

void ApplyCable(std::string_view value, DriverSettings& settings)
{
    if (const CableProfile* cable = FindCableProfile(value)) {
        settings.cable = cable;
        return;
    }
    std::string known;
    for (const CableProfile& cable : CableProfiles())
        known += (known.empty() ? "" : ", ") + std::string(cable.name);
    settings.notices.push_back(DriverSettingText("cable", value) + " is no known cable (" + known +
                               "); " + std::string(settings.cable->name) + " is used");
}

void ApplyVirtualSocket(std::string_view value, DriverSettings& settings)
{
    std::string known;
    for (const EepromTypeInfo& type : AllEepromTypes()) {
        const std::string name =
            std::string(type.name) + (type.organisation == EepromOrganisation::Bytes8 ? " X8" : "");
        if (ToUpperAscii(name) == ToUpperAscii(value)) {
            settings.virtualSocket = type.code;
            settings.virtualSocketOrganisation = type.organisation;
            return;
        }
        if (type.organisation == EepromOrganisation::Words16)
            known += (known.empty() ? "" : ", ") + std::string(type.name);
    }
    settings.notices.push_back(DriverSettingText("virtual_socket", value) + " is no chip type (" +
                               known + "); each type keeps its own virtual chip");
}

void ApplyFlag(std::string_view key, std::string_view value, bool& flag, DriverSettings& settings)
{
    if (value == "true" || value == "false") {
        flag = value == "true";
        return;
    }
    settings.notices.push_back(DriverSettingText(key, value) + " is neither true nor false; " +
                               (flag ? "true" : "false") + " is used");
}

void ApplySetting(std::string_view key, std::string_view value, ParsedSettings& parsed)
{
    DriverSettings& settings = parsed.settings;
    if (key == "cable") {
        ApplyCable(value, settings);
    } else if (key == "part_class") {
        ApplyPartClass(value, settings);
    } else if (key == "half_period_ns") {
        ApplyHalfPeriod(value, parsed);
    } else if (key == "virtual_socket") {
        ApplyVirtualSocket(value, settings);
    } else if (key == "dummy_bit_check_only") {
        ApplyFlag(key, value, settings.timing.dummyBitCheckOnly, settings);
    } else if (key == "rewrite_equal_words") {
        ApplyFlag(key, value, settings.timing.rewriteEqualWords, settings);
    } else if (key == "virtual_real_time") {
        ApplyFlag(key, value, settings.virtualRealTime, settings);
    } else {
        settings.adapterLines.push_back({std::string(key), std::string(value)});
    }
}

} // namespace

std::string DriverSettingText(std::string_view key, std::string_view value)
{
    return "driver.conf: " + std::string(key) + " = " + std::string(value);
}

std::string_view TrimmedSetting(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

DriverSettings ParseDriverSettings(std::string_view text)
{
    ParsedSettings parsed;
    while (!text.empty()) {
        const auto lineEnd = text.find('\n');
        std::string_view line = text.substr(0, lineEnd);
        text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
        line = line.substr(0, line.find('#'));
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        ApplySetting(TrimmedSetting(line.substr(0, equals)),
                     TrimmedSetting(line.substr(equals + 1)), parsed);
    }
    SettleHalfPeriod(parsed);
    return parsed.settings;
}

DriverSettings LoadDriverSettings(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string text(kLongestSettingsFile, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return ParseDriverSettings(text);
}

} // namespace pemrix
