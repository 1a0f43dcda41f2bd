#include "files/ImageFileDialogs.h"

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(ImageFileDialogs, TheDefaultExtensionIsAddedOnlyToANameWithoutADot)
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
        // The dialog asked about ".chip" itself, so no other file may take its place.
        {"/home/u/.chip", "/home/u/.chip"},
        {"chip", "chip.ROM"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithDefaultExtension(c.chosen, "ROM"), c.saved) << c.chosen;
}

TEST(ImageFileDialogs, TheExtensionGivesTheFormatAndTheChosenEntryTheByteOrder)
{
    const std::vector<FileDialogFilter> open = OpenDialogFilters();
    ASSERT_EQ(open.size(), 7u);
    EXPECT_EQ(open[0].filter, "ROM Files(*.ROM *.rom)");
    EXPECT_EQ(open[1].filter, "Binary, little-endian words (*.bin)");
    EXPECT_EQ(open[2].filter, "Binary, big-endian words (*.bin)");
    EXPECT_EQ(open[3].filter, "Intel HEX, little-endian words (*.hex)");
    EXPECT_EQ(open[4].filter, "Intel HEX, big-endian words (*.hex)");
    EXPECT_EQ(open[5].filter, "PonyProg images (*.e2p *.E2P)");
    EXPECT_EQ(open[6].filter, "All Files(*)");
    EXPECT_EQ(SaveDialogFilters().size(), 6u);
    for (const FileDialogFilter& f : open)
        EXPECT_FALSE(f.defaultExtension.empty()) << f.filter;

    // The name's extension decides the format, so Open reads back every file Save wrote; the
    // chosen entry gives the byte order, and the format of a name with another extension.
    struct Case
    {
        std::size_t filter;
        std::string_view path;
        ImageFileFormat format;
        WordByteOrder order;
    };
    constexpr auto le = WordByteOrder::LittleEndian;
    constexpr auto be = WordByteOrder::BigEndian;
    const Case cases[] = {
        {2, "x.bin", ImageFileFormat::Binary, be},
        {1, "mixed.ROM", ImageFileFormat::Rom, le},
        {4, "x.bin", ImageFileFormat::Binary, be},
        {0, "x.Hex", ImageFileFormat::IntelHex, le},
        {2, "x.raw", ImageFileFormat::Binary, be},
        {3, "/a.bin/x", ImageFileFormat::IntelHex, le},
        {6, "/a.b/x.HEX", ImageFileFormat::IntelHex, le},
        {6, "x.bin", ImageFileFormat::Binary, le},
        {6, "/a.bin/x", ImageFileFormat::Rom, le},
        {6, "dump.E2P", ImageFileFormat::E2p, be},
        {1, "board.e2p", ImageFileFormat::E2p, be},
        {5, "x.bin", ImageFileFormat::Binary, le},
    };
    for (const Case& c : cases)
        EXPECT_EQ(&KindOfDialogChoice(c.filter, c.path), &FindImageFileKind(c.format, c.order))
            << c.filter << " " << c.path;
}

} // namespace
} // namespace pemrix
