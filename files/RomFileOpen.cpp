#include "RomFileOpen.h"

#include "files/FileErrorText.h"
#include "files/RomFileDecoder.h"
#include "files/RomFileLayout.h"

#include <algorithm>

namespace pemrix {

RomOpenResult OpenRomFile(FileSystem& fileSystem, const std::string& path, EepromType selected)
{
    const auto fileError = [&path](FileErrorKind kind) {
        return RomOpenMessage(FileErrorMessage(kind, path));
    };
    const FileSizeResult size = fileSystem.FileSize(path);
    if (size.error != 0)
        return fileError(FileErrorKindFromErrno(size.error));
    // One byte beyond the largest ROM file decides as well as the whole of a longer file.
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(size.size, LargestRomFileSize() + 1));
    const FileReadResult read = fileSystem.ReadFile(path, wanted);
    if (read.error != 0)
        return fileError(FileErrorKindFromErrno(read.error));
    if (read.bytes.size() < wanted)
        return fileError(FileErrorKind::ReadPastEnd);
    return DecodeRomFile(read.bytes, selected);
}

} // namespace pemrix
