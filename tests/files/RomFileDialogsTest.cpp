#include "files/RomFileDialogs.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(RomFileDialogs, TheDefaultExtensionIsAddedOnlyToANameWithoutOne)
{
    struct Case
    {
        std::string_view chosen;
        std::string_view saved;
    };
    const Case cases[] = {
        {"/home/u/chip", "/home/u/chip.ROM"},
        {"/home/u/chip.rom", "/home/u/chip.rom"},
        {"/home/u/chip.bin", "/home/u/chip.bin"},
        {"/home/u.d/chip", "/home/u.d/chip.ROM"},
        {"/home/u/.chip", "/home/u/.chip.ROM"},
        {"chip", "chip.ROM"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithRomDefaultExtension(c.chosen), c.saved) << c.chosen;
}

} // namespace
} // namespace pemrix
