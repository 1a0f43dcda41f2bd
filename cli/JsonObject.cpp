#include "JsonObject.h"

#include <cstdio>

namespace pemrix {

void JsonObject::Add(std::string_view key, std::string value)
{
    if (!m_strFields.empty())
        m_strFields += ',';
    m_strFields += JsonString(key);
    m_strFields += ':';
    m_strFields += value;
}

std::string JsonObject::Text() const
{
    return '{' + m_strFields + '}';
}

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string JsonNumber(std::uint64_t value)
{
    return std::to_string(value);
}

std::string JsonNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

std::string JsonBool(bool value)
{
    return value ? "true" : "false";
}

std::string JsonArray(const std::vector<std::string>& values)
{
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        json += (i ? "," : "") + values[i];
    return json + ']';
}

std::string JsonNumbers(const std::vector<std::uint32_t>& values)
{
    std::vector<std::string> numbers;
    numbers.reserve(values.size());
    for (const std::uint32_t value : values)
        numbers.push_back(JsonNumber(std::uint64_t{value}));
    return JsonArray(numbers);
}

} // namespace pemrix
