#include "core/AtomicFile.h"
#include "tests/support/FaultText.h"

#include "tests/support/TestDirectory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace tellaria {
namespace {

using test::CountEntries;
using test::ReadFile;
using test::TestDirectory;
using test::WriteFile;

TEST(ReplaceFileContent, CreatesAndReplaces)
{
    TestDirectory directory;
    const std::string path = directory.File("f");
    ASSERT_TRUE(ReplaceFileContent(path, "first").Ok());
    EXPECT_EQ(ReadFile(path), "first");
    ASSERT_TRUE(ReplaceFileContent(path, std::string_view("a\0b", 3)).Ok());
    EXPECT_EQ(ReadFile(path), std::string("a\0b", 3));
    ASSERT_TRUE(ReplaceFileContent(path, "").Ok());
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(CountEntries(directory.Slash()), 1);
}

TEST(ReplaceFileContent, KeepsThePermissionsOfTheReplacedFile)
{
    TestDirectory directory;
    const std::string path = directory.File("f");
    WriteFile(path, "old");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFileContent(path, "new").Ok());
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST(ReplaceFileContent, TargetThatIsADirectoryFailsAndStays)
{
    TestDirectory directory;
    const std::string path = directory.File("d");
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
    WriteFile(path + "/inside", "kept");
    EXPECT_EQ(FaultText(ReplaceFileContent(path, "new")),
              "Cannot create file \"" + path + "\". Is a directory");
    EXPECT_EQ(ReadFile(path + "/inside"), "kept");
    EXPECT_EQ(CountEntries(directory.Slash()), 1);
}

TEST(ReplaceFileContent, ThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink)
{
    TestDirectory directory;
    ASSERT_EQ(mkdir(directory.File("elsewhere").c_str(), 0755), 0);
    const std::string target = directory.File("elsewhere/f");
    WriteFile(target, "old");
    const std::string link = directory.File("f");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(ReplaceFileContent(link, "new").Ok());
    struct stat status;
    ASSERT_EQ(lstat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(CountEntries(directory.Slash()), 2);
}

TEST(ReplaceFileContent, RemovesTemporaryFilesOfSavesThatDiedButNotOfRunningOnes)
{
    TestDirectory directory;
    const std::string path = directory.File("f");
    // A process that has ended: its pid names no running process until it is reused.
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
    const std::string stale = path + ".tmp-" + std::to_string(ended) + "-0-1";
    const std::string running = path + ".tmp-" + std::to_string(getppid()) + "-0-1";
    const std::string other = directory.File("g.tmp-" + std::to_string(ended) + "-0-1");
    for (const std::string &file : {stale, running, other})
        WriteFile(file, "partial");
    ASSERT_TRUE(ReplaceFileContent(path, "new").Ok());
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(other));
}

} // namespace
} // namespace tellaria
