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

TEST(ImageFileDialogs, TheChosenEntryOrForAllFilesTheExtensionGivesTheKind)
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

    EXPECT_EQ(&KindOfDialogChoice(2, "x.hex"), &ImageFileKinds()[2]);
    EXPECT_EQ(&KindOfDialogChoice(6, "/a.b/x.HEX"),
              &FindImageFileKind(ImageFileFormat::IntelHex, WordByteOrder::LittleEndian));
    EXPECT_EQ(&KindOfDialogChoice(6, "x.bin"),
              &FindImageFileKind(ImageFileFormat::Binary, WordByteOrder::LittleEndian));
    EXPECT_EQ(&KindOfDialogChoice(6, "dump.E2P"), &ImageFileKinds()[5]);
    EXPECT_EQ(&KindOfDialogChoice(6, "/a.bin/x"), &RomFileKind());
}

} // namespace
} // namespace pemrix
