#pragma once

#include "files/ImageFileKind.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// One entry of a file dialog's list: the Qt name filter and the extension added to a name
// typed without one while that entry is chosen.
struct FileDialogFilter
{
    std::string_view filter;
    std::string_view defaultExtension;
};

// Every image kind of the organisation, ROM files first; Open ends with all files, which open
// by their extension.
std::vector<FileDialogFilter>
OpenDialogFilters(EepromOrganisation organisation = EepromOrganisation::Words16);
std::vector<FileDialogFilter>
SaveDialogFilters(EepromOrganisation organisation = EepromOrganisation::Words16);

// The kind of file the user chose. An extension that names a kind (.ROM, .bin, .hex) decides
// the format, whatever entry was chosen, so a file holds what its name says and Open reads
// back every file Save writes; the chosen entry gives the byte order (little-endian for the
// ROM and all-files entries). A name with any other extension is of the chosen entry's kind,
// or for all files a ROM file.
const ImageFileKind&
KindOfDialogChoice(std::size_t filter, std::string_view path,
                   EepromOrganisation organisation = EepromOrganisation::Words16);

// The chosen name with "." and `extension` added when its last component holds no dot at all.
// This is the file dialog's own rule, so the name the dialog asked about before replacing a
// file is the name written; a hidden name such as ".chip" is kept as it is.
std::string WithDefaultExtension(std::string_view path, std::string_view extension);

} // namespace pemrix
