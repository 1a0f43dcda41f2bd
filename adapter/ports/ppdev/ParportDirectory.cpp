#include "adapter/ports/ppdev/ParportDirectory.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pemrix {

namespace {

constexpr std::string_view kPortPrefix = "parport";

bool IsPortEntryName(const std::string& name)
{
    return name.size() > kPortPrefix.size() && name.starts_with(kPortPrefix) &&
           std::all_of(name.begin() + kPortPrefix.size(), name.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The first field of base-addr, which must be a whole decimal number.
std::optional<std::uint64_t> ReadBaseAddress(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string field;
    if (!(in >> field))
        return std::nullopt;
    std::uint64_t base = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), base);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return base;
}

} // namespace

ParportDirectory::ParportDirectory(std::filesystem::path procRoot, std::filesystem::path devRoot)
    : m_procRoot(std::move(procRoot)), m_devRoot(std::move(devRoot))
{
}

std::optional<std::filesystem::path> ParportDirectory::DeviceFor(std::uint32_t baseAddress) const
{
    std::error_code error;
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(m_procRoot / "sys/dev/parport", error)) {
        std::string name = entry.path().filename().string();
        if (IsPortEntryName(name))
            names.push_back(std::move(name));
    }
    // Directory order is arbitrary; sorting makes the lowest-numbered match win every time.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::optional<std::uint64_t> base =
            ReadBaseAddress(m_procRoot / "sys/dev/parport" / name / "base-addr");
        if (base == baseAddress)
            return m_devRoot / name;
    }
    return std::nullopt;
}

std::filesystem::path ParportDirectory::EntryFor(const std::filesystem::path& device) const
{
    return m_procRoot / "sys/dev/parport" / device.filename();
}

} // namespace pemrix
