#pragma once

#include "core/EepromTypeInfo.h"
#include "core/MemoryImage.h"
#include "files/FileMessage.h"
#include "files/FileSystem.h"
#include "files/ImageFileKind.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace pemrix {

// The Save command after its dialog: writes the image as a file of `kind` for the selected
// type to `path`. Nothing is returned on success; otherwise the message to show. The file is
// written beside the target first and put in its place only when every byte is on the disk,
// so a failed Save leaves an existing file as it was. A pipe, device or standard stream is
// written where it is. An .e2p file's comment gives the date of `savedAt`.
std::optional<FileMessage> SaveImageFile(FileSystem& fileSystem, const std::string& path,
                                         const MemoryImage& image, const EepromTypeInfo& selected,
                                         const ImageFileKind& kind,
                                         std::time_t savedAt = std::time(nullptr));

} // namespace pemrix
