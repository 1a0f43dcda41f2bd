#include "tests/driver/LinkExpectations.h"

#include <gtest/gtest.h>

#include <string>

namespace pemrix {

std::vector<std::uint8_t> FieldBytes(std::initializer_list<std::uint32_t> fields)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t field : fields) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(field >> shift));
    }
    return bytes;
}

ExpectedControl ValueRequestSent(std::uint32_t code, std::uint32_t value)
{
    return {code, FieldBytes({value}), 0};
}

void ExpectConversation(const ScriptedDriverLink& link, std::uint32_t attributes,
                        const std::vector<ExpectedControl>& controls)
{
    const std::vector<LinkCall>& calls = link.Calls();
    ASSERT_EQ(calls.size(), controls.size() + 2);
    EXPECT_EQ(calls.front().kind, LinkCall::Kind::Open);
    EXPECT_EQ(calls.front().attributes, attributes);
    const DriverHandle handle = calls.front().handle;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE("request " + std::to_string(i + 1));
        const LinkCall& call = calls[i + 1];
        EXPECT_EQ(call.kind, LinkCall::Kind::Control);
        EXPECT_EQ(call.handle, handle);
        EXPECT_EQ(call.code, controls[i].code);
        EXPECT_EQ(call.input, controls[i].input);
        EXPECT_EQ(call.inSize, controls[i].input.size());
        EXPECT_EQ(call.outSize, controls[i].outSize);
    }
    EXPECT_EQ(calls.back().kind, LinkCall::Kind::Close);
    EXPECT_EQ(calls.back().handle, handle);
}

} // namespace pemrix
