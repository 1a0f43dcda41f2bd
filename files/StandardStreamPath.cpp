#include "StandardStreamPath.h"

#include <array>
#include <charconv>
#include <utility>

namespace pemrix {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 3> kStandardStreams{{
    {"/dev/stdin", 0},
    {"/dev/stdout", 1},
    {"/dev/stderr", 2},
}};

constexpr std::array<std::string_view, 2> kDescriptorFolders{"/dev/fd/", "/proc/self/fd/"};

} // namespace

std::optional<int> InheritedDescriptor(std::string_view path)
{
    for (const auto& [name, descriptor] : kStandardStreams)
        if (path == name)
            return descriptor;
    for (const std::string_view folder : kDescriptorFolders) {
        if (!path.starts_with(folder))
            continue;
        const std::string_view digits = path.substr(folder.size());
        int descriptor = -1;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), descriptor);
        if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size())
            return descriptor;
    }
    return std::nullopt;
}

} // namespace pemrix
