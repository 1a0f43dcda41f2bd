#pragma once

#include <array>
#include <string>
#include <string_view>

namespace pemrix {

// Qt name filters for the two file dialogs. Qt and the desktop's native dialogs match
// patterns case-sensitively on Linux, so the ROM entry lists both spellings of the
// extension; "*" takes the place of "*.*", which there would hide every name without a dot.
inline constexpr std::array<std::string_view, 1> kSaveRomDialogFilters{"ROM Files(*.ROM *.rom)"};
inline constexpr std::array<std::string_view, 2> kOpenRomDialogFilters{"ROM Files(*.ROM *.rom)",
                                                                       "All Files(*)"};

inline constexpr std::string_view kRomDefaultExtension = "ROM";

// The chosen save name with ".ROM" added when its last component has no extension.
std::string WithRomDefaultExtension(std::string_view path);

} // namespace pemrix
