#include "cli/PortChoice.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

// A --port value names a port as a user reads it in the list, or as other tools name it.
TEST(PortChoice, NamesAPortByAddressTextOrTheNameInItsBrackets)
{
    const std::vector<ListedPort> ports = {{"ECP Printer Port (LPT1) [378]", 0x378},
                                           {"Printer Port (LPT2) [278]", 0x278},
                                           {"Custom Port: 3BC", 0x3BC}};
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"virtual", 0x93C00},
        {"0x278", 0x278},
        {"lpt1", 0x378},
        {"LPT2", 0x278},
        {"ecp printer port (lpt1)", 0x378},
        {"Custom Port: 3bc", 0x3BC},
        {"LPT", std::nullopt},
        {"LPT3", std::nullopt},
        {"0x", std::nullopt},
    };
    for (const auto& [value, port] : cases)
        EXPECT_EQ(ChoosePort(value, ports), port) << value;
}

} // namespace
} // namespace pemrix
