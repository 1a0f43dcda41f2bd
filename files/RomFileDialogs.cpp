#include "RomFileDialogs.h"

namespace pemrix {

std::string WithRomDefaultExtension(std::string_view path)
{
    std::string result(path);
    const std::size_t nameStart = path.rfind('/') + 1; // npos + 1 is 0
    const std::string_view name = path.substr(nameStart);
    // A leading dot marks a hidden file, not an extension.
    if (name.empty() || name.find('.', 1) != std::string_view::npos)
        return result;
    result += '.';
    result += kRomDefaultExtension;
    return result;
}

} // namespace pemrix
