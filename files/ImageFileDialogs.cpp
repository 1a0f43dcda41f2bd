#include "ImageFileDialogs.h"

#include <optional>

namespace pemrix {

namespace {

// "*" takes the place of "*.*", which on Linux would hide every name without a dot.
constexpr FileDialogFilter kAllFiles{"All Files(*)", "ROM"};

std::vector<FileDialogFilter> KindFilters()
{
    std::vector<FileDialogFilter> filters;
    for (const ImageFileKind& kind : ImageFileKinds())
        filters.push_back({kind.dialogFilter, kind.extension});
    return filters;
}

} // namespace

std::vector<FileDialogFilter> OpenDialogFilters()
{
    std::vector<FileDialogFilter> filters = KindFilters();
    filters.push_back(kAllFiles);
    return filters;
}

std::vector<FileDialogFilter> SaveDialogFilters()
{
    return KindFilters();
}

const ImageFileKind& KindOfDialogChoice(std::size_t filter, std::string_view path)
{
    const bool kindEntry = filter < ImageFileKinds().size();
    const std::optional<ImageFileFormat> named = ImageFileFormatOfPath(path);
    if (!named)
        return kindEntry ? ImageFileKinds()[filter] : RomFileKind();
    // Only a binary or Intel HEX entry names a byte order; the others leave the default.
    const bool orderEntry = kindEntry && HasChosenByteOrder(ImageFileKinds()[filter].format);
    return FindImageFileKind(*named, orderEntry ? ImageFileKinds()[filter].order
                                                : WordByteOrder::LittleEndian);
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
