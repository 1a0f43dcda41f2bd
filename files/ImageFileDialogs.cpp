#include "ImageFileDialogs.h"

#include <optional>

namespace pemrix {

namespace {

// "*" takes the place of "*.*", which on Linux would hide every name without a dot.
constexpr FileDialogFilter kAllFiles{"All Files(*)", "ROM"};

std::vector<FileDialogFilter> KindFilters(EepromOrganisation organisation)
{
    std::vector<FileDialogFilter> filters;
    for (const ImageFileKind& kind : ImageFileKinds(organisation))
        filters.push_back({kind.dialogFilter, kind.extension});
    return filters;
}

} // namespace

std::vector<FileDialogFilter> OpenDialogFilters(EepromOrganisation organisation)
{
    std::vector<FileDialogFilter> filters = KindFilters(organisation);
    filters.push_back(kAllFiles);
    return filters;
}

std::vector<FileDialogFilter> SaveDialogFilters(EepromOrganisation organisation)
{
    return KindFilters(organisation);
}

const ImageFileKind& KindOfDialogChoice(std::size_t filter, std::string_view path,
                                        EepromOrganisation organisation)
{
    const std::span<const ImageFileKind> kinds = ImageFileKinds(organisation);
    const bool kindEntry = filter < kinds.size();
    const std::optional<ImageFileFormat> named = ImageFileFormatOfPath(path);
    if (!named)
        return kindEntry ? kinds[filter] : kinds.front();
    // Only a binary or Intel HEX entry names a byte order; the others leave the default.
    const bool orderEntry = kindEntry && HasChosenByteOrder(kinds[filter].format);
    return FindImageFileKind(*named, orderEntry ? kinds[filter].order : WordByteOrder::LittleEndian,
                             organisation);
}

std::string WithDefaultExtension(std::string_view path, std::string_view extension)
{
    std::string result(path);
    const std::string_view name = path.substr(path.rfind('/') + 1); // npos + 1 is 0
    if (name.empty() || name.find('.') != std::string_view::npos)
        return result;
    result += '.';
    result += extension;
    return result;
}

} // namespace pemrix
