#include "files/NativeFileSystem.h"
#include "files/WindowsErrorNumbers.h"

#include "support/TemporaryFolder.h"
#include "core/DumpText.h"
#include "files/FileErrorText.h"
#include "files/ImageFileKind.h"
#include "files/ImageFileSave.h"
#include "files/RomFileEncoder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace pemrix {
namespace {

TEST(WindowsFileSystem, WindowsErrorsNameTheCausesTheirErrnoNumbersName)
{
    struct Case
    {
        DWORD windowsError;
        std::string_view text;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "x was not found."},
        {ERROR_PATH_NOT_FOUND, "x was not found."},
        {ERROR_INVALID_NAME, "x contains an invalid path."},
        {ERROR_FILENAME_EXCED_RANGE, "x contains an invalid path."},
        {ERROR_TOO_MANY_OPEN_FILES, "x could not be opened because there are too many open files."},
        {ERROR_ACCESS_DENIED, "Access to x was denied."},
        {ERROR_WRITE_PROTECT, "Access to x was denied."},
        {ERROR_INVALID_HANDLE, "An invalid file handle was associated with x."},
        {ERROR_CRC, "A hardware I/O error was reported while accessing x."},
        {ERROR_SHARING_VIOLATION, "A sharing violation occurred while accessing x."},
        {ERROR_UNABLE_TO_REMOVE_REPLACED, "A sharing violation occurred while accessing x."},
        {ERROR_LOCK_VIOLATION, "A locking violation occurred while accessing x."},
        {ERROR_DISK_FULL, "Disk full while accessing x."},
        {ERROR_HANDLE_DISK_FULL, "Disk full while accessing x."},
        {ERROR_NOT_SUPPORTED, "An unknown error occurred while accessing x."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowsError);
        const int error = ErrnoFromWindowsError(c.windowsError);
        EXPECT_NE(error, 0);
        EXPECT_EQ(FileErrorMessage(FileErrorKindFromErrno(error), "x").strText, c.text);
    }
}

class WindowsSaveTest : public ::testing::Test
{
protected:
    WindowsSaveTest() { ResetImage(m_image, 6); }

    std::optional<FileMessage> Save(const std::string& path)
    {
        NativeFileSystem fileSystem;
        return SaveImageFile(fileSystem, path, m_image, *FindEepromType(6), RomFileKind());
    }

    TemporaryFolder m_folder;
    MemoryImage m_image;
};

TEST_F(WindowsSaveTest, AFileAnotherProgramHoldsOpenIsReportedAndKeptAsItWas)
{
    m_folder.Write("chip.ROM", "old contents");
    const std::string path = m_folder.PathOf("chip.ROM");
    // Shared for reading and writing but not for deletion, as many editors open a file.
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::optional<FileMessage> message = Save(path);
    CloseHandle(held);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->strText, "A sharing violation occurred while accessing " + path + ".");
    EXPECT_EQ(m_folder.Read("chip.ROM"), "old contents");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"chip.ROM"});
}

// Windows' counterpart of keeping the permission bits: a replace, unlike a plain move, keeps
// the old file's attributes.
TEST_F(WindowsSaveTest, AReplacedFileKeepsItsAttributes)
{
    m_folder.Write("chip.ROM", "old contents");
    const std::string path = m_folder.PathOf("chip.ROM");
    ASSERT_NE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN), FALSE);
    EXPECT_EQ(Save(path), std::nullopt);
    EXPECT_EQ(m_folder.Read("chip.ROM"), EncodeRomFile(m_image, *FindEepromType(6)));
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN,
              DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"chip.ROM"});
}

TEST_F(WindowsSaveTest, AReadOnlyFileIsRefusedAndKept)
{
    m_folder.Write("golden.ROM", "old contents");
    const std::string path = m_folder.PathOf("golden.ROM");
    ASSERT_NE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY), FALSE);
    const std::optional<FileMessage> message = Save(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->strText, "Access to " + path + " was denied.");
    EXPECT_EQ(m_folder.Read("golden.ROM"), "old contents");
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"golden.ROM"});
}

} // namespace
} // namespace pemrix
