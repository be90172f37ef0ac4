// Lock failures other than a lock held elsewhere (a network mount without its lock service)
// neither fail a load nor a save; only "would block" means a writer holds the file. The failures
// come from the flock shim linked into this program.

#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "tests/support/FaultText.h"
#include "tests/support/TestDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

using test::ReadFile;
using test::TestDirectory;
using test::WriteFile;

struct LockError
{
    const char *Name;
    int Error;
    // What loading "dog", "cat" reports; empty when it loads.
    const char *LoadError;
};

const LockError lockErrors[] = {
    {"NoLocksAvailable", ENOLCK, ""},
    {"NotSupported", EOPNOTSUPP, ""},
    {"BadFile", EBADF, ""},
    {"Interrupted", EINTR, ""},
    {"WouldBlock", EWOULDBLOCK, "Resource temporarily unavailable"},
};

class LockErrorTest : public testing::TestWithParam<LockError>
{
protected:
    void SetUp() override
    {
        setenv("TELLARIA_FLOCK_ERROR", std::to_string(GetParam().Error).c_str(), 1);
    }
    void TearDown() override { unsetenv("TELLARIA_FLOCK_ERROR"); }
};

TEST_P(LockErrorTest, OnlyWouldBlockFailsTheLoad)
{
    TestDirectory directory;
    const std::string path = directory.File(QueryHistoryFileName);
    WriteFile(path, "dog\ncat");
    QueryHistory history;
    const std::string error = FaultText(history.LoadQueryHistory(directory.Slash()));
    history.RecordQuery("owl");
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    if (*GetParam().LoadError == '\0') {
        EXPECT_EQ(error, "");
        EXPECT_EQ(ReadFile(path), "dog\r\ncat\r\nowl\r\n");
    } else {
        EXPECT_EQ(error, "Cannot open file \"" + path + "\". " + GetParam().LoadError);
        EXPECT_EQ(ReadFile(path), "dog\ncat");
    }
}

TEST_P(LockErrorTest, NoneFailsASave)
{
    TestDirectory directory;
    QueryHistory history;
    history.RecordQuery("cat");
    EXPECT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(directory.File(QueryHistoryFileName)), "cat\r\n");
    SettingsFile settings(directory.File(SettingsFileName));
    EXPECT_TRUE(settings.WriteIntValue("Dictionary", "ID", 2).Ok());
    EXPECT_EQ(settings.ReadIntValue("Dictionary", "ID", 0), 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, LockErrorTest, testing::ValuesIn(lockErrors), [](const auto &test) {
    return std::string(test.param.Name);
});

} // namespace
} // namespace tellaria
