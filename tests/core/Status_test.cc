#include "core/Status.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

TEST(Status, DefaultIsSuccess)
{
    const Status ok;
    EXPECT_TRUE(ok.Ok());
    EXPECT_EQ(ok.Fault(), FileFault::None);
}

TEST(Status, FileErrorsKeepTheKindThePathAndTheCause)
{
    const Status open = Status::CannotOpenFile("/opt/t/Lexivander.qry", ENOENT);
    EXPECT_FALSE(open.Ok());
    EXPECT_EQ(open.Fault(), FileFault::CannotOpen);
    EXPECT_EQ(open.Path(), "/opt/t/Lexivander.qry");
    EXPECT_EQ(open.Error(), ENOENT);
    const Status create = Status::CannotCreateFile("/opt/t/Lexivanedr.ini", ENOSPC);
    EXPECT_EQ(create.Fault(), FileFault::CannotCreate);
    EXPECT_EQ(create.Error(), ENOSPC);
    EXPECT_NE(open, create);
}

} // namespace
} // namespace tellaria
