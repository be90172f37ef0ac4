#include "core/FileError.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

TEST(FileError, MessagesNameThePathAndTheCause)
{
    EXPECT_STREQ(CannotOpenFile("/opt/t/Lexivander.qry", ENOENT).what(),
                 "Cannot open file \"/opt/t/Lexivander.qry\". No such file or directory");
    EXPECT_STREQ(CannotCreateFile("/opt/t/Lexivanedr.ini", ENOSPC).what(),
                 "Cannot create file \"/opt/t/Lexivanedr.ini\". No space left on device");
}

} // namespace
} // namespace tellaria
