#pragma once

#include "core/EepromTypeInfo.h"
#include "files/FileSystem.h"
#include "files/ImageFileKind.h"
#include "files/RomOpenResult.h"

#include <string>

namespace pemrix {

// The Open command after its dialog: reads `path` as a file of `kind` and checks it against
// the selected type. The caller installs the new dump text and applies the refreshes only
// when accepted.
RomOpenResult OpenImageFile(FileSystem& fileSystem, const std::string& path,
                            const EepromTypeInfo& selected, const ImageFileKind& kind);

} // namespace pemrix
