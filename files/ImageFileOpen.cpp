#include "ImageFileOpen.h"

#include "files/BinaryImageCodec.h"
#include "files/E2pFileCodec.h"
#include "files/FileErrorText.h"
#include "files/IntelHexCodec.h"
#include "files/RawImageMessages.h"
#include "files/RomFileDecoder.h"
#include "files/RomFileLayout.h"

#include <algorithm>

namespace pemrix {

namespace {

// The longest prefix of a file of `kind` that a decoder needs: one byte beyond the largest
// such file decides as well as the whole of a longer file.
std::size_t ReadLimit(const ImageFileKind& kind)
{
    switch (kind.format) {
    case ImageFileFormat::Rom:
        return LargestRomFileSize() + 1;
    case ImageFileFormat::Binary:
        return ImageByteCount(EepromTypes().back()) + 1;
    case ImageFileFormat::IntelHex:
        return kLargestIntelHexFile + 1;
    case ImageFileFormat::E2p:
        return LargestE2pFileSize() + 1;
    }
    return 0;
}

RomOpenResult Decode(std::string_view file, std::uint64_t fileSize, const EepromTypeInfo& selected,
                     const ImageFileKind& kind)
{
    switch (kind.format) {
    case ImageFileFormat::Rom:
        return DecodeRomFile(file, selected);
    case ImageFileFormat::Binary:
        return DecodeBinaryImage(file, fileSize, selected, kind.order);
    case ImageFileFormat::IntelHex:
        return DecodeIntelHex(file, selected, kind.order);
    case ImageFileFormat::E2p:
        return DecodeE2pFile(file, fileSize, selected);
    }
    return {};
}

} // namespace

RomOpenResult OpenImageFile(FileSystem& fileSystem, const std::string& path,
                            const EepromTypeInfo& selected, const ImageFileKind& kind)
{
    const auto fileError = [&path](FileErrorKind error) {
        return RomOpenMessage(FileErrorMessage(error, path));
    };
    const FileSizeResult size = fileSystem.FileSize(path);
    if (size.error != 0)
        return fileError(FileErrorKindFromErrno(size.error));
    // A stream is read up to the limit, and its size is what that gave.
    const std::size_t wanted =
        size.stream ? ReadLimit(kind)
                    : static_cast<std::size_t>(std::min<std::uint64_t>(size.size, ReadLimit(kind)));
    const FileReadResult read = fileSystem.ReadFile(path, wanted);
    if (read.error != 0)
        return fileError(FileErrorKindFromErrno(read.error));
    if (!size.stream && read.bytes.size() < wanted)
        return fileError(FileErrorKind::ReadPastEnd);
    return Decode(read.bytes, size.stream ? read.bytes.size() : size.size, selected, kind);
}

} // namespace pemrix
