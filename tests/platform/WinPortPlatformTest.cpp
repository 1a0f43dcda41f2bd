#include "platform/win32/WinPortPlatform.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

// Wine knows the device classes but has no ports to list, so the walk over the class is what
// can be checked here.
TEST(WinPortPlatform, FindsThePortsClassAndWalksItsDeviceSet)
{
    WinPortPlatform platform;
    const std::optional<PortClassGuid> guid = platform.ClassGuidFromName(u"Ports");
    ASSERT_TRUE(guid);
    // {4D36E978-E325-11CE-BFC1-08002BE10318} as GUID lays it out in memory.
    EXPECT_EQ(*guid, (PortClassGuid{0x78, 0xE9, 0x36, 0x4D, 0x25, 0xE3, 0xCE, 0x11, 0xBF, 0xC1,
                                    0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}));
    EXPECT_FALSE(platform.ClassGuidFromName(u"NoSuchDeviceClass"));

    const std::optional<PortDeviceSet> set = platform.GetClassDevices(*guid);
    ASSERT_TRUE(set);
    EXPECT_TRUE(platform.GetDeviceInfoListDetail(*set));
    std::uint32_t index = 0;
    while (platform.EnumDeviceInfo(*set, index) && index < 64)
        ++index;
    EXPECT_LT(index, 64u);
    platform.DestroyDeviceInfoList(*set);
}

} // namespace
} // namespace pemrix
