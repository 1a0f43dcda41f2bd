#include "ImageFileSave.h"

#include "files/FileErrorText.h"
#include "files/BinaryImageCodec.h"
#include "files/E2pFileCodec.h"
#include "files/IntelHexCodec.h"
#include "files/RomFileEncoder.h"

#include <cerrno>

namespace pemrix {

namespace {

constexpr std::string_view kImageMismatchText =
    "The memory image does not match the selected EEPROM type.";

// Names taken by files that an earlier, interrupted Save left behind are skipped this often.
constexpr int kTemporaryNameAttempts = 100;

std::string TemporaryPathBeside(const std::string& path, int attempt)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    return folder + ".pemrix-save-" + std::to_string(attempt) + ".tmp";
}

FileCreateResult CreateTemporaryBeside(FileSystem& fileSystem, const std::string& path,
                                       std::string& temporaryPath)
{
    FileCreateResult created{-1, EEXIST};
    for (int attempt = 0; attempt < kTemporaryNameAttempts && created.error == EEXIST; ++attempt) {
        temporaryPath = TemporaryPathBeside(path, attempt);
        created = fileSystem.CreateNew(temporaryPath);
    }
    return created;
}

// Writes, flushes (a file; a pipe or device has nothing to flush) and closes; the first
// failure's error number, or 0.
int WriteWhole(FileSystem& fileSystem, FileHandle handle, std::string_view bytes, bool flush)
{
    const FileWriteResult written = fileSystem.Write(handle, bytes);
    int error = written.error;
    if (error == 0 && written.written < bytes.size())
        error = ENOSPC;
    if (error == 0 && flush)
        error = fileSystem.Flush(handle);
    const int closeError = fileSystem.Close(handle);
    return error != 0 ? error : closeError;
}

// Fills the new file and puts it in the target's place; the first failure's error number, or 0.
int ReplaceWith(FileSystem& fileSystem, const FileTarget& target, FileHandle handle,
                const std::string& temporaryPath, std::string_view bytes)
{
    int error = target.exists ? fileSystem.SetMode(handle, target.mode) : 0;
    if (error == 0)
        error = WriteWhole(fileSystem, handle, bytes, true);
    else
        fileSystem.Close(handle);
    if (error == 0)
        error = fileSystem.Rename(temporaryPath, target.path);
    return error;
}

std::optional<std::string> Encode(const MemoryImage& image, const EepromTypeInfo& selected,
                                  const ImageFileKind& kind, std::time_t savedAt)
{
    switch (kind.format) {
    case ImageFileFormat::Rom:
        return EncodeRomFile(image, selected);
    case ImageFileFormat::Binary:
        return EncodeBinaryImage(image, selected, kind.order);
    case ImageFileFormat::IntelHex:
        return EncodeIntelHex(image, selected, kind.order);
    case ImageFileFormat::E2p:
        return EncodeE2pFile(image, selected, savedAt);
    }
    return std::nullopt;
}

} // namespace

std::optional<FileMessage> SaveImageFile(FileSystem& fileSystem, const std::string& path,
                                         const MemoryImage& image, const EepromTypeInfo& selected,
                                         const ImageFileKind& kind, std::time_t savedAt)
{
    const std::optional<std::string> file = Encode(image, selected, kind, savedAt);
    if (!file)
        return FileMessage{std::string(kImageMismatchText), std::string(kFileErrorCaption),
                           FileMessageIcon::Warning};

    // A file the user may not write stays as it is, read-only protection included; a link
    // keeps leading to the file it names, and the new file keeps the old one's permissions.
    const FileTarget target = fileSystem.Inspect(path);
    if (target.exists && target.writeError != 0)
        return FileErrorMessage(FileErrorKindFromErrno(target.writeError), path);

    if (target.inPlace) {
        const FileCreateResult opened = fileSystem.OpenInPlace(target.path);
        const int error =
            opened.error != 0 ? opened.error : WriteWhole(fileSystem, opened.handle, *file, false);
        if (error == 0)
            return std::nullopt;
        return FileErrorMessage(FileErrorKindFromErrno(error), path);
    }

    std::string temporaryPath;
    const FileCreateResult created = CreateTemporaryBeside(fileSystem, target.path, temporaryPath);
    if (created.error != 0)
        return FileErrorMessage(FileErrorKindFromCreateErrno(created.error), path);

    int error = 0;
    try {
        error = ReplaceWith(fileSystem, target, created.handle, temporaryPath, *file);
    } catch (...) {
        // Memory ran out part-way: the half-written file goes, the target stays as it was.
        fileSystem.Close(created.handle);
        fileSystem.Remove(temporaryPath);
        throw;
    }
    if (error == 0)
        return std::nullopt;
    fileSystem.Remove(temporaryPath);
    return FileErrorMessage(FileErrorKindFromErrno(error), path);
}

} // namespace pemrix
