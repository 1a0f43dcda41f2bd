#include "adapter/virtual/VirtualChipStore.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

namespace pemrix {

namespace {

std::size_t BytesPerCell(const EepromTypeInfo& type)
{
    return type.cellBits / 8;
}

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The rename is durable only once the folder's own entry list is on disk.
void SyncFolder(const std::filesystem::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

VirtualChipStore::VirtualChipStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

std::filesystem::path VirtualChipStore::PathFor(const EepromTypeInfo& type) const
{
    const std::string organisation = type.organisation == EepromOrganisation::Bytes8 ? "-x8" : "";
    return m_folder / ("virtual-" + std::string(type.name) + organisation + ".bin");
}

std::vector<std::uint16_t> VirtualChipStore::Load(const EepromTypeInfo& type) const
{
    const std::size_t width = BytesPerCell(type);
    std::vector<std::uint16_t> words(type.words,
                                     static_cast<std::uint16_t>((1u << type.cellBits) - 1));
    std::ifstream file(PathFor(type), std::ios::binary);
    if (!file)
        return words;
    // One byte more than expected is read, so an oversized file is told from a right one.
    std::vector<char> bytes(type.words * width + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(file.gcount()) != type.words * width)
        return words;
    for (std::size_t i = 0; i < words.size(); ++i) {
        unsigned value = 0;
        for (std::size_t b = width; b-- > 0;)
            value = (value << 8) | static_cast<std::uint8_t>(bytes[width * i + b]);
        words[i] = static_cast<std::uint16_t>(value);
    }
    return words;
}

bool VirtualChipStore::Save(const EepromTypeInfo& type, std::span<const std::uint16_t> words) const
{
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    const std::filesystem::path target = PathFor(type);
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(words.size() * BytesPerCell(type));
    for (std::uint16_t word : words)
        for (std::size_t b = 0; b < BytesPerCell(type); ++b)
            bytes.push_back(static_cast<std::uint8_t>(word >> (8 * b)));
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(m_folder);
    return true;
}

} // namespace pemrix
