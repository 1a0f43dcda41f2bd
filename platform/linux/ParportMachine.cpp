#include "platform/linux/ParportMachine.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pemrix {

namespace {

// A parallel port decodes eight registers from its base.
constexpr std::uint64_t kPortRegisterSpan = 8;

std::u16string WidenAscii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::optional<unsigned> ParseUnsigned(std::string_view digits)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// base-addr holds the base and the ECP high base, decimal, separated by white space.
std::optional<std::uint64_t> ReadBaseAddress(const std::filesystem::path& portFolder)
{
    const std::string text = ReadWholeFile(portFolder / "base-addr");
    const std::size_t start = text.find_first_not_of(" \t\n");
    if (start == std::string::npos)
        return std::nullopt;
    std::uint64_t base = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), base);
    if (error != std::errc())
        return std::nullopt;
    return base;
}

// modes is a comma-separated list such as "PCSPP,TRISTATE,COMPAT,EPP,ECP,DMA".
bool ListsEcpMode(const std::filesystem::path& portFolder)
{
    std::istringstream modes(ReadWholeFile(portFolder / "modes"));
    std::string mode;
    while (std::getline(modes, mode, ',')) {
        mode.erase(std::remove_if(mode.begin(), mode.end(),
                                  [](char c) { return c == ' ' || c == '\t' || c == '\n'; }),
                   mode.end());
        if (mode == "ECP")
            return true;
    }
    return false;
}

PortMachineConfig AllocatedIoRange(std::uint64_t base)
{
    return PortMachineConfig{
        PortConfigKind::Allocated,
        {PortMachineResource{PortResourceType::Io, base, base + kPortRegisterSpan - 1, true}}};
}

PortMachineDevice ParportDevice(const std::filesystem::path& portFolder, unsigned number)
{
    const std::string lpt = "LPT" + std::to_string(number + 1);
    const std::string name =
        (ListsEcpMode(portFolder) ? "ECP Printer Port (" : "Printer Port (") + lpt + ")";
    PortMachineDevice device;
    device.m_strInstanceId = WidenAscii("PARPORT\\" + std::to_string(number));
    device.m_strFriendlyName = WidenAscii(name);
    if (const auto base = ReadBaseAddress(portFolder))
        device.m_configs.push_back(AllocatedIoRange(*base));
    return device;
}

// The numbers of the parportN folders, in ascending order; other entries ("default") are no
// ports.
std::vector<unsigned> ParportNumbers(const std::filesystem::path& parportRoot)
{
    constexpr std::string_view kPrefix = "parport";
    std::vector<unsigned> numbers;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(parportRoot, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kPrefix) || !entry.is_directory(error))
            continue;
        if (const auto number = ParseUnsigned(std::string_view(name).substr(kPrefix.size())))
            numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

} // namespace

PortMachine DescribeParportMachine(const std::filesystem::path& parportRoot)
{
    PortMachine machine;
    for (const unsigned number : ParportNumbers(parportRoot))
        machine.m_devices.push_back(
            ParportDevice(parportRoot / ("parport" + std::to_string(number)), number));
    return machine;
}

} // namespace pemrix
