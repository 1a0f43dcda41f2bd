#include "TemporaryFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace pemrix {

TemporaryFolder::TemporaryFolder()
{
    // Creating a folder fails when the name is taken, so a random name is tried until one is
    // free.
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path path = base / ("pemrix-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path)) {
            m_strPath = path.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TemporaryFolder::~TemporaryFolder()
{
    // A test may have taken the write bit from a folder inside; give it back so that
    // everything can go.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m_strPath, ignored)) {
        if (entry.is_directory(ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_strPath, ignored);
}

std::string TemporaryFolder::PathOf(std::string_view name) const
{
    return m_strPath + "/" + std::string(name);
}

void TemporaryFolder::Write(std::string_view name, std::string_view bytes) const
{
    std::ofstream(PathOf(name), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TemporaryFolder::Read(std::string_view name) const
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> TemporaryFolder::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_strPath))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace pemrix
