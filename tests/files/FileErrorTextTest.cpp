#include "files/FileErrorText.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace pemrix {
namespace {

TEST(FileErrorText, EveryErrorNumberNamesItsCauseAndThePath)
{
    struct Case
    {
        int error;
        std::string_view text;
    };
    const Case cases[] = {
        {ENOENT, "/d/x.ROM was not found."},
        {ENOTDIR, "/d/x.ROM contains an invalid path."},
        {EISDIR, "/d/x.ROM contains an invalid path."},
        {ENAMETOOLONG, "/d/x.ROM contains an invalid path."},
        {EINVAL, "/d/x.ROM contains an invalid path."},
        {ELOOP, "/d/x.ROM contains an invalid path."},
        {EMFILE, "/d/x.ROM could not be opened because there are too many open files."},
        {ENFILE, "/d/x.ROM could not be opened because there are too many open files."},
        {EACCES, "Access to /d/x.ROM was denied."},
        {EPERM, "Access to /d/x.ROM was denied."},
        {EROFS, "Access to /d/x.ROM was denied."},
        {EBADF, "An invalid file handle was associated with /d/x.ROM."},
        {EIO, "A hardware I/O error was reported while accessing /d/x.ROM."},
        {EBUSY, "A sharing violation occurred while accessing /d/x.ROM."},
        {ETXTBSY, "A sharing violation occurred while accessing /d/x.ROM."},
        {EDEADLK, "A locking violation occurred while accessing /d/x.ROM."},
        {ENOLCK, "A locking violation occurred while accessing /d/x.ROM."},
        {ENOSPC, "Disk full while accessing /d/x.ROM."},
#ifdef EDQUOT
        {EDQUOT, "Disk full while accessing /d/x.ROM."},
#endif
        {EFBIG, "Disk full while accessing /d/x.ROM."},
        {EXDEV, "An unknown error occurred while accessing /d/x.ROM."},
        {0, "An unknown error occurred while accessing /d/x.ROM."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const FileMessage message = FileErrorMessage(FileErrorKindFromErrno(c.error), "/d/x.ROM");
        EXPECT_EQ(message, (FileMessage{std::string(c.text), "pemrix", FileMessageIcon::Warning}));
    }
}

TEST(FileErrorText, APathWithAPlaceholderOfItsOwnIsTakenLiterally)
{
    EXPECT_EQ(FileErrorMessage(FileErrorKind::ReadPastEnd, "/d/%1.ROM").strText,
              "An attempt was made to access /d/%1.ROM past its end.");
}

} // namespace
} // namespace pemrix
