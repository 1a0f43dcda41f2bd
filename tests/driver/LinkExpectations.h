#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/driver/ScriptedDriverLink.h"

namespace pemrix {

// One request as a test expects to see it sent.
struct ExpectedControl
{
    std::uint32_t code;
    std::vector<std::uint8_t> input;
    std::uint32_t outSize;
};

// 32-bit fields laid out little-endian, as a test writes a record by hand.
std::vector<std::uint8_t> FieldBytes(std::initializer_list<std::uint32_t> fields);

// A 4-byte request as sent: one value, no output.
ExpectedControl ValueRequestSent(std::uint32_t code, std::uint32_t value);

// Checks that the link saw one open with `attributes`, exactly `controls` (input bytes, inSize
// and outSize included) and then one close, all on the handle the open returned.
void ExpectConversation(const ScriptedDriverLink& link, std::uint32_t attributes,
                        const std::vector<ExpectedControl>& controls);

} // namespace pemrix
