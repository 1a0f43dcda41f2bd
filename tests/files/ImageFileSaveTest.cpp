#include "files/ImageFileSave.h"

#include "FailingFileSystem.h"
#include "RomTestFiles.h"
#include "support/TemporaryFolder.h"
#include "core/DumpText.h"
#include "files/RomFileEncoder.h"

#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
    EXPECT_EQ(
        SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, Type(6), RomFileKind()),
        std::nullopt);
    EXPECT_EQ(m_folder.Read("chip.ROM"), EncodeRomFile(m_image, Type(6)));
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
            SaveImageFile(fileSystem, path, m_image, Type(6), RomFileKind());
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
    EXPECT_EQ(SaveImageFile(fileSystem, path, m_image, Type(6), RomFileKind())->strText,
              path + " was not found.");
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(RomFileSaveTest, ATemporaryFileLeftByAnEarlierSaveIsNeitherUsedNorRemoved)
{
    NativeFileSystem fileSystem;
    m_folder.Write(".pemrix-save-0.tmp", "left behind");
    EXPECT_EQ(
        SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, Type(6), RomFileKind()),
        std::nullopt);
    EXPECT_EQ(m_folder.Read(".pemrix-save-0.tmp"), "left behind");
    EXPECT_EQ(m_folder.Read("chip.ROM").size(), 4112u);
}

TEST_F(RomFileSaveTest, ADumpOfAnotherTypeIsNotWritten)
{
    NativeFileSystem fileSystem;
    const std::optional<FileMessage> message =
        SaveImageFile(fileSystem, m_folder.PathOf("chip.ROM"), m_image, Type(1), RomFileKind());
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
    EXPECT_EQ(
        SaveImageFile(fileSystem, m_folder.PathOf("latest.ROM"), m_image, Type(6), RomFileKind()),
        std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder.Path() / "latest.ROM"));
    EXPECT_EQ(m_folder.Read("golden.ROM"), EncodeRomFile(m_image, Type(6)));
    EXPECT_EQ(std::filesystem::status(m_folder.Path() / "golden.ROM").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"golden.ROM", "latest.ROM"}));
}

// A pipe, a device or a standard stream is written where it is: replaced by a plain file, it
// would be lost (as /dev/stdout, a link, would be). A link that leads nowhere stays a link.
TEST_F(RomFileSaveTest, PipesDevicesAndStreamsAreWrittenInPlaceAndLinksKept)
{
    NativeFileSystem fileSystem;
    const std::string fifo = m_folder.PathOf("pipe.ROM");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("nowhere.ROM", m_folder.Path() / "dangling.ROM");
    std::filesystem::create_symlink("/dev/null", m_folder.Path() / "null.ROM");
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    int standardOut[2] = {-1, -1};
    ASSERT_EQ(::pipe(standardOut), 0);
    const int savedOut = ::dup(1);
    ASSERT_EQ(::dup2(standardOut[1], 1), 1);
    const std::string written = EncodeRomFile(m_image, Type(6)).value();
    const auto readAll = [&written](int descriptor) {
        std::string bytes(written.size() + 1, '\0');
        bytes.resize(std::max<ssize_t>(0, ::read(descriptor, bytes.data(), bytes.size())));
        return bytes;
    };
    struct Case
    {
        std::string path;
        std::optional<std::string> message;
        int reader; // where the bytes arrive, or -1
    };
    const Case cases[] = {
        {fifo, std::nullopt, reader},
        {"/dev/null", std::nullopt, -1},
        {m_folder.PathOf("null.ROM"), std::nullopt, -1},
        {"/dev/full", "Disk full while accessing /dev/full.", -1},
        {"/dev/stdout", std::nullopt, standardOut[0]},
        {m_folder.PathOf("dangling.ROM"), m_folder.PathOf("dangling.ROM") + " was not found.", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::optional<FileMessage> message =
            SaveImageFile(fileSystem, c.path, m_image, Type(6), RomFileKind());
        EXPECT_EQ(message ? std::optional(message->strText) : std::nullopt, c.message);
        if (c.reader >= 0) {
            EXPECT_EQ(readAll(c.reader), written);
        }
    }
    ::dup2(savedOut, 1);
    ::close(savedOut);
    ::close(standardOut[0]);
    ::close(standardOut[1]);
    // Nobody reads the pipe any more: the save fails at once instead of waiting.
    ::close(reader);
    EXPECT_TRUE(SaveImageFile(fileSystem, fifo, m_image, Type(6), RomFileKind()).has_value());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder.Path() / "dangling.ROM"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder.Path() / "null.ROM"));
    EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"dangling.ROM", "null.ROM", "pipe.ROM"}));
}
#endif

TEST_F(RomFileSaveTest, AFileTheUserMayNotWriteIsRefusedAndKept)
{
    FailingFileSystem fileSystem({.nInspectWriteError = EACCES});
    m_folder.Write("golden.ROM", "old contents");
    const std::optional<FileMessage> message =
        SaveImageFile(fileSystem, m_folder.PathOf("golden.ROM"), m_image, Type(6), RomFileKind());
    ASSERT_TRUE(message);
    EXPECT_EQ(message->strText, "Access to " + m_folder.PathOf("golden.ROM") + " was denied.");
    EXPECT_EQ(m_folder.Read("golden.ROM"), "old contents");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"golden.ROM"});
}

} // namespace
} // namespace pemrix
