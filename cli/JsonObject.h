#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pemrix {

// One JSON object, built field by field in the order given; values are JSON text made by
// the helpers below.
class JsonObject
{
public:
    void Add(std::string_view key, std::string value);
    std::string Text() const;

private:
    std::string m_strFields;
};

std::string JsonString(std::string_view text);
std::string JsonNumber(std::uint64_t value);
std::string JsonNumber(double value);
std::string JsonBool(bool value);
std::string JsonArray(const std::vector<std::string>& values);
std::string JsonNumbers(const std::vector<std::uint32_t>& values);

} // namespace pemrix
