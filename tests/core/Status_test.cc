#include "core/Status.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

TEST(Status, DefaultIsSuccessWithoutAMessage)
{
    const Status ok;
    EXPECT_TRUE(ok.Ok());
    EXPECT_EQ(ok.Message(), "");
}

TEST(Status, FileErrorsNameThePathAndTheCause)
{
    const Status open = Status::CannotOpenFile("/opt/t/Lexivander.qry", ENOENT);
    EXPECT_FALSE(open.Ok());
    EXPECT_EQ(open.Message(),
              "Cannot open file \"/opt/t/Lexivander.qry\". No such file or directory");
    const Status create = Status::CannotCreateFile("/opt/t/Lexivanedr.ini", ENOSPC);
    EXPECT_FALSE(create.Ok());
    EXPECT_EQ(create.Message(),
              "Cannot create file \"/opt/t/Lexivanedr.ini\". No space left on device");
}

} // namespace
} // namespace tellaria
