#include "IniFile.h"

#include "core/HexText.h"

#include <fstream>
#include <sstream>

namespace pemrix {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Undoes the "%XX" escapes the store writes for blanks and other special characters.
std::string Unescaped(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && AllHexDigits(text.substr(i + 1, 2))) {
            result += static_cast<char>(ParseHexPrefix(text.substr(i + 1, 2)));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::string UnquotedValue(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return std::string(value.substr(1, value.size() - 2));
    return std::string(value);
}

} // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile file;
    std::string section;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Unescaped(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        file.m_sections[section][Unescaped(Trimmed(line.substr(0, equals)))] =
            UnquotedValue(Trimmed(line.substr(equals + 1)));
    }
    return file;
}

IniFile IniFile::Load(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return Parse(text.str());
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const
{
    const auto found = m_sections.find(section);
    if (found == m_sections.end())
        return std::nullopt;
    const auto value = found->second.find(key);
    if (value == found->second.end())
        return std::nullopt;
    return value->second;
}

} // namespace pemrix
