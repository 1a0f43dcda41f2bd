#include "files/ImageFileSave.h"

#include "FailingFileSystem.h"
#include "support/TemporaryFolder.h"
#include "core/DumpText.h"
#include "files/RomFileEncoder.h"

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace pemrix {
namespace {

class RomFileSaveTest : public ::testing::Test
{
protected:
    RomFileSaveTest() { ResetImage(m_image, 6); }

    TemporaryFolder m_folder;
    MemoryImage m_image;
};

TEST_F(RomFileSaveTest, WritesTheFileAndLeavesNothingElseBehind)
{
    NativeFileSystem fileSystem;
    m_folder.Write("chip.ROM", "old contents");
    EXPECT_EQ(SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, 6, RomFileKind()),
              std::nullopt);
    EXPECT_EQ(m_folder.Read("chip.ROM"), EncodeRomFile(m_image, 6));
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"chip.ROM"});
}

TEST_F(RomFileSaveTest, AFailureLeavesTheOldFileAsItWasAndNoTemporaryFile)
{
    struct Case
    {
        std::string_view name;
        FileFaults faults;
        std::string_view text; // %1 stands for the target's path
    };
    const Case cases[] = {
        {"disk full",
         {.nWriteLimit = 1000, .nWriteError = ENOSPC},
         "Disk full while accessing %1."},
        {"short write", {.nWriteLimit = 1000}, "Disk full while accessing %1."},
        {"nothing written", {.nWriteLimit = 0}, "Disk full while accessing %1."},
        {"write I/O",
         {.nWriteLimit = 16, .nWriteError = EIO},
         "A hardware I/O error was reported while accessing %1."},
        {"flush I/O",
         {.nFlushError = EIO},
         "A hardware I/O error was reported while accessing %1."},
        {"close I/O",
         {.nCloseError = EIO},
         "A hardware I/O error was reported while accessing %1."},
        {"rename", {.nRenameError = EACCES}, "Access to %1 was denied."},
        {"no room for the name",
         {.nCreateError = ENOSPC},
         "%1 could not be created because the directory is full."},
#ifdef EDQUOT
        {"quota",
         {.nCreateError = EDQUOT},
         "%1 could not be created because the directory is full."},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_folder.Write("chip.ROM", "old contents");
        FailingFileSystem fileSystem(c.faults);
        const std::string path = m_folder.PathOf("chip.ROM");
        const std::optional<FileMessage> message =
            SaveImageFile(fileSystem, path, m_image, 6, RomFileKind());
        ASSERT_TRUE(message);
        std::string text(c.text);
        text.replace(text.find("%1"), 2, path);
        EXPECT_EQ(*message, (FileMessage{text, "pemrix", FileMessageIcon::Warning}));
        EXPECT_EQ(m_folder.Read("chip.ROM"), "old contents");
        EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"chip.ROM"});
    }
}

TEST_F(RomFileSaveTest, AFolderThatDoesNotExistIsReportedByTheTargetsPath)
{
    NativeFileSystem fileSystem;
    const std::string path = m_folder.PathOf("missing/chip.ROM");
    EXPECT_EQ(SaveImageFile(fileSystem, path, m_image, 6, RomFileKind())->strText,
              path + " was not found.");
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(RomFileSaveTest, ATemporaryFileLeftByAnEarlierSaveIsNeitherUsedNorRemoved)
{
    NativeFileSystem fileSystem;
    m_folder.Write(".pemrix-save-0.tmp", "left behind");
    EXPECT_EQ(SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, 6, RomFileKind()),
              std::nullopt);
    EXPECT_EQ(m_folder.Read(".pemrix-save-0.tmp"), "left behind");
    EXPECT_EQ(m_folder.Read("chip.ROM").size(), 4112u);
}

TEST_F(RomFileSaveTest, ADumpOfAnotherTypeIsNotWritten)
{
    NativeFileSystem fileSystem;
    const std::optional<FileMessage> message =
        SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, 1, RomFileKind());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->strText, "The memory image does not match the selected EEPROM type.");
    EXPECT_TRUE(m_folder.Names().empty());
}

#ifndef _WIN32
// Permission bits and symbolic links as POSIX has them.
TEST_F(RomFileSaveTest, AReplacedFileKeepsItsPermissionsAndALinkStaysALink)
{
    NativeFileSystem fileSystem;
    m_folder.Write("golden.ROM", "old contents");
    std::filesystem::permissions(m_folder.Path() / "golden.ROM",
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_read);
    std::filesystem::create_symlink("golden.ROM", m_folder.Path() / "latest.ROM");
    EXPECT_EQ(SaveImageFile(fileSystem, m_folder.PathOf("latest.ROM"), m_image, 6, RomFileKind()),
              std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder.Path() / "latest.ROM"));
    EXPECT_EQ(m_folder.Read("golden.ROM"), EncodeRomFile(m_image, 6));
    EXPECT_EQ(std::filesystem::status(m_folder.Path() / "golden.ROM").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"golden.ROM", "latest.ROM"}));
}

// Such as /dev/null or a pipe, which a save's rename would replace by a plain file.
TEST_F(RomFileSaveTest, WhatIsNoPlainFileIsRefusedAndKept)
{
    NativeFileSystem fileSystem;
    const std::string path = m_folder.PathOf("pipe.ROM");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(SaveImageFile(fileSystem, path, m_image, 6, RomFileKind())->strText,
              path + " contains an invalid path.");
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"pipe.ROM"});
}
#endif

TEST_F(RomFileSaveTest, AFileTheUserMayNotWriteIsRefusedAndKept)
{
    FailingFileSystem fileSystem({.nInspectWriteError = EACCES});
    m_folder.Write("golden.ROM", "old contents");
    const std::optional<FileMessage> message =
        SaveImageFile(fileSystem, m_folder.PathOf("golden.ROM"), m_image, 6, RomFileKind());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->strText, "Access to " + m_folder.PathOf("golden.ROM") + " was denied.");
    EXPECT_EQ(m_folder.Read("golden.ROM"), "old contents");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"golden.ROM"});
}

} // namespace
} // namespace pemrix
