#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// A fresh folder under the system's temporary location, removed with everything in it.
class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::filesystem::path Path() const { return m_strPath; }
    std::string PathOf(std::string_view name) const;
    void Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;
    // The names of every entry, hidden ones included, sorted.
    std::vector<std::string> Names() const;

private:
    std::string m_strPath;
};

} // namespace pemrix
