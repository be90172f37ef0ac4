// What a save asks of the file system, in order: the new content written to a temporary file and
// flushed, that file renamed over the old one, then the directory flushed, so that after a crash
// the disk holds the old file or the whole new one; and until the save ends, a loader is kept
// off the new file by its lock. Seen through the shim linked into this program.

#include "SaveCallsShim.h"
#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "tests/support/FaultText.h"
#include "tests/support/TestDirectory.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

using test::AfterNextRename;
using test::ReadFile;
using test::RecordedSaveCalls;
using test::StartRecordingSaveCalls;
using test::TestDirectory;
using test::WriteFile;
using Calls = std::vector<std::string>;

struct SavedFile
{
    const char *Name;
    std::string_view FileName;
    const char *Old;
    const char *New;
    Status (*Save)(const std::string &directory);
};

const SavedFile savedFiles[] = {
    {"History", QueryHistoryFileName, "old\r\n", "cat\r\n",
     [](const std::string &directory) {
         QueryHistory history;
         history.RecordQuery("cat");
         return history.SaveQueryHistory(directory);
     }},
    {"Settings", SettingsFileName, "[Form]\r\nwidth=1\r\n", "[Form]\r\nwidth=640\r\n",
     [](const std::string &directory) {
         return SettingsFile(directory + std::string(SettingsFileName))
             .WriteIntValue("Form", "width", 640);
     }},
};

class SaveCallsTest : public testing::TestWithParam<SavedFile>
{};

TEST_P(SaveCallsTest, WriteFlushRenameThenFlushTheDirectory)
{
    const SavedFile &file = GetParam();
    TestDirectory directory;
    const std::string name(file.FileName);
    WriteFile(directory.File(name), file.Old);
    StartRecordingSaveCalls();
    ASSERT_TRUE(file.Save(directory.Slash()).Ok());
    // The flush sees the whole new content: it was written before.
    const std::string newSize = std::to_string(std::string_view(file.New).size());
    const std::string canonical = std::filesystem::canonical(directory.Slash());
    EXPECT_EQ(RecordedSaveCalls(),
              (Calls{"sync " + name + ".tmp " + newSize, "rename " + name + ".tmp " + name,
                     "sync " + canonical + "/"}));
    EXPECT_EQ(ReadFile(directory.File(name)), file.New);
}

INSTANTIATE_TEST_SUITE_P(Files, SaveCallsTest, testing::ValuesIn(savedFiles), [](const auto &test) {
    return std::string(test.param.Name);
});

TEST(SaveLock, ALoadBetweenTheRenameAndTheEndOfTheSaveIsRefused)
{
    TestDirectory directory;
    const std::string path = directory.File(QueryHistoryFileName);
    WriteFile(path, "old\r\n");
    std::string during = "no rename seen";
    AfterNextRename([&] {
        QueryHistory loader;
        const Status loaded = loader.LoadQueryHistory(directory.Slash());
        during = loaded.Ok() ? "loaded" : FaultText(loaded);
    });
    QueryHistory history;
    history.RecordQuery("new");
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(during, "Cannot open file \"" + path + "\". Resource temporarily unavailable");

    // Once the save is over, the same load reads the new file.
    QueryHistory after;
    ASSERT_TRUE(after.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(after.Entries(), std::vector<std::string>{"new"});
}

} // namespace
} // namespace tellaria
