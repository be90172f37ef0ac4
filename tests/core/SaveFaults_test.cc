// The history and settings files under faults: a saving process killed at any moment, a disk
// that fills up during a save, and odd things found where a file should be.

#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "tests/support/FaultText.h"
#include "tests/support/TestDirectory.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tellaria {
namespace {

using namespace std::chrono_literals;
using test::CountEntries;
using test::ReadFile;
using test::RunInChild;
using test::TestDirectory;
using test::WriteFile;

// A file the program saves, with two contents of different sizes so that any mixture of the two
// shows, and the program's own save of either.
struct SavedFile
{
    std::string FileName;
    std::array<std::string, 2> Contents;
    std::function<Status(const std::string &directory, int which)> Save;
};

SavedFile HistoryFile()
{
    std::array<std::vector<std::string>, 2> lists;
    // Long entries, so that the time of a save goes into writing the file.
    for (int i = 0; i < 400; ++i)
        lists[0].push_back("first list " + std::to_string(i) + std::string(400, 'a' + i % 26));
    for (int i = 0; i < 150; ++i)
        lists[1].push_back("second list " + std::to_string(i) + std::string(1200, 'A' + i % 26));
    SavedFile file;
    file.FileName = QueryHistoryFileName;
    file.Contents = {SerializeQueryHistory(lists[0]), SerializeQueryHistory(lists[1])};
    file.Save = [lists](const std::string &directory, int which) {
        QueryHistory history;
        history.SetEntries(lists[which]);
        return history.SaveQueryHistory(directory);
    };
    return file;
}

SavedFile SettingsFileWithFiller()
{
    constexpr std::array<std::int32_t, 2> widths = {1, 2222222};
    std::string filler = "[Filler]\r\n";
    for (int i = 0; i < 3000; ++i)
        filler += "key" + std::to_string(i) + "=value " + std::to_string(i) + "\r\n";
    SavedFile file;
    file.FileName = SettingsFileName;
    for (int which = 0; which < 2; ++which) {
        file.Contents[which]
            = "[Form]\r\nWidth=" + std::to_string(widths[which]) + "\r\nHeight=528\r\n" + filler;
    }
    file.Save = [widths](const std::string &directory, int which) {
        return SettingsFile(directory + std::string(SettingsFileName))
            .WriteIntValue("Form", "Width", widths[which]);
    };
    return file;
}

struct SavedFileCase
{
    const char *Name;
    SavedFile (*Make)();
};

const SavedFileCase savedFiles[] = {{"History", HistoryFile}, {"Settings", SettingsFileWithFiller}};

void PrintTo(const SavedFileCase &savedFile, std::ostream *out)
{
    *out << savedFile.Name;
}

std::string CaseName(const testing::TestParamInfo<SavedFileCase> &info)
{
    return info.param.Name;
}

// Removes everything in `directory` but `keep`; returns how many entries went.
int RemoveAllBut(const std::string &directory, const std::string &keep)
{
    int removed = 0;
    for (const auto &entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().filename() != keep) {
            std::filesystem::remove(entry.path());
            ++removed;
        }
    }
    return removed;
}

// --- Killed while saving ---

class KilledWhileSaving : public testing::TestWithParam<SavedFileCase>
{};

TEST_P(KilledWhileSaving, LeavesTheWholeOldOrTheWholeNewFile)
{
    constexpr int Kills = 200;
    const SavedFile file = GetParam().Make();
    // A file cut short must not pass for a whole one.
    ASSERT_FALSE(file.Contents[0].starts_with(file.Contents[1])
                 || file.Contents[1].starts_with(file.Contents[0]));
    TestDirectory directory;
    const std::string path = directory.File(file.FileName);
    WriteFile(path, file.Contents[0]);

    // The kills land anywhere in a window of a few saves, whatever this disk's speed.
    const auto started = std::chrono::steady_clock::now();
    for (int which : {1, 0, 1, 0})
        ASSERT_TRUE(file.Save(directory.Slash(), which).Ok());
    const auto saveTime = (std::chrono::steady_clock::now() - started) / 4;
    const auto window
        = std::clamp(std::chrono::duration_cast<std::chrono::microseconds>(saveTime * 3),
                     std::chrono::microseconds(200), std::chrono::microseconds(20ms));

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, window.count());
    int killedMidSave = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            const ssize_t written = write(ready[1], "r", 1);
            for (int which = 1; written == 1; which ^= 1) {
                if (!file.Save(directory.Slash(), which).Ok())
                    break;
            }
            _exit(2);
        }
        close(ready[1]);
        char byte;
        const bool saving = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        if (saving)
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(saving);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving process ended by itself";

        const std::string content = ReadFile(path);
        ASSERT_TRUE(content == file.Contents[0] || content == file.Contents[1])
            << "kill " << kill << " left " << content.size() << " bytes";
        // A kill between creating the new file and renaming it leaves that file behind.
        killedMidSave += RemoveAllBut(directory.Slash(), file.FileName);
    }
    // Without kills inside a save the test would have shown nothing.
    EXPECT_GE(killedMidSave, Kills / 20) << "window " << window.count() << " us";
    RecordProperty("KilledMidSave", killedMidSave);
}

INSTANTIATE_TEST_SUITE_P(Files, KilledWhileSaving, testing::ValuesIn(savedFiles), CaseName);

// --- Disk full while saving ---

// A file-size limit stands for the full disk: writing past it fails with EFBIG.
struct SizeLimit
{
    const char *Name;
    std::size_t (*Of)(std::size_t newSize);
};

const SizeLimit sizeLimits[] = {
    {"Nothing", [](std::size_t) -> std::size_t { return 0; }},
    {"OneByte", [](std::size_t) -> std::size_t { return 1; }},
    {"OnePage", [](std::size_t) -> std::size_t { return 4096; }},
    {"Half", [](std::size_t size) { return size / 2; }},
    {"AllButOneByte", [](std::size_t size) { return size - 1; }},
};

void PrintTo(const SizeLimit &limit, std::ostream *out)
{
    *out << limit.Name;
}

class DiskFullWhileSaving : public testing::TestWithParam<std::tuple<SavedFileCase, SizeLimit>>
{};

std::string SaveWithin(const SavedFile &file, const std::string &directory, rlim_t limit)
{
    return RunInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit fileSize{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return std::string("setrlimit failed");
        const Status saved = file.Save(directory, 1);
        return saved.Ok() ? std::string("saved") : FaultText(saved);
    });
}

TEST_P(DiskFullWhileSaving, FailsAndKeepsTheOldFile)
{
    const auto &[savedFile, limit] = GetParam();
    const SavedFile file = savedFile.Make();
    TestDirectory directory;
    const std::string path = directory.File(file.FileName);
    WriteFile(path, file.Contents[0]);

    EXPECT_EQ(SaveWithin(file, directory.Slash(), limit.Of(file.Contents[1].size())),
              "Cannot create file \"" + path + "\". File too large");
    EXPECT_EQ(ReadFile(path), file.Contents[0]);
    EXPECT_EQ(CountEntries(directory.Slash()), 1);
}

// The other side of the limit cases: what failed them was the limit, not the child.
class SaveWithinTheFileSizeLimit : public testing::TestWithParam<SavedFileCase>
{};

TEST_P(SaveWithinTheFileSizeLimit, SucceedsAtALimitOfExactlyTheNewSize)
{
    const SavedFile file = GetParam().Make();
    TestDirectory directory;
    const std::string path = directory.File(file.FileName);
    WriteFile(path, file.Contents[0]);
    EXPECT_EQ(SaveWithin(file, directory.Slash(), file.Contents[1].size()), "saved");
    EXPECT_EQ(ReadFile(path), file.Contents[1]);
}

INSTANTIATE_TEST_SUITE_P(Files,
                         SaveWithinTheFileSizeLimit,
                         testing::ValuesIn(savedFiles),
                         CaseName);

INSTANTIATE_TEST_SUITE_P(Files,
                         DiskFullWhileSaving,
                         testing::Combine(testing::ValuesIn(savedFiles),
                                          testing::ValuesIn(sizeLimits)),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).Name)
                                    + std::get<1>(test.param).Name;
                         });

// --- Odd things in place of a file ---

struct OddFile
{
    const char *Name;
    // Puts the odd thing at `path`; `directory` takes whatever else it needs.
    void (*Make)(const std::string &directory, const std::string &path);
    // What writing the settings file then reports; empty when the write goes through.
    const char *SettingsWriteError;
};

void Check(bool done, const char *what)
{
    if (!done)
        throw std::runtime_error(std::string("cannot make ") + what);
}

const OddFile oddFiles[] = {
    {"Directory",
     [](const std::string &, const std::string &path) {
         Check(mkdir(path.c_str(), 0755) == 0, "dir");
     },
     "Is a directory"},
    {"Fifo",
     [](const std::string &, const std::string &path) {
         Check(mkfifo(path.c_str(), 0644) == 0, "fifo");
     },
     "Invalid argument"},
    {"DanglingLink",
     [](const std::string &directory, const std::string &path) {
         Check(symlink((directory + "nowhere").c_str(), path.c_str()) == 0, "link");
     },
     ""},
    {"LinkToItself",
     [](const std::string &, const std::string &path) {
         Check(symlink(path.c_str(), path.c_str()) == 0, "link");
     },
     "Too many levels of symbolic links"},
    {"LinkToAFifo",
     [](const std::string &directory, const std::string &path) {
         Check(mkfifo((directory + "pipe").c_str(), 0644) == 0, "fifo");
         Check(symlink((directory + "pipe").c_str(), path.c_str()) == 0, "link");
     },
     "Invalid argument"},
    {"LinkToADirectory",
     [](const std::string &directory, const std::string &path) {
         Check(mkdir((directory + "sub").c_str(), 0755) == 0, "dir");
         Check(symlink((directory + "sub").c_str(), path.c_str()) == 0, "link");
     },
     "Is a directory"},
    // A device that never ends: reading it would never finish.
    {"LinkToDevZero",
     [](const std::string &, const std::string &path) {
         Check(symlink("/dev/zero", path.c_str()) == 0, "link");
     },
     "Invalid argument"},
};

void PrintTo(const OddFile &odd, std::ostream *out)
{
    *out << odd.Name;
}

class OddHistoryFile : public testing::TestWithParam<OddFile>
{};

TEST_P(OddHistoryFile, IsIgnoredWithoutBlocking)
{
    // Under its own name and under another letter case, which the search also accepts.
    for (const char *name : {"Lexivander.qry", "lexivander.QRY"}) {
        SCOPED_TRACE(name);
        TestDirectory directory;
        GetParam().Make(directory.Slash(), directory.File(name));
        EXPECT_FALSE(FindQueryHistoryFile(directory.Slash()));
        EXPECT_EQ(RunInChild([&] {
                      QueryHistory history;
                      history.SetEntries({"stale"});
                      const Status loaded = history.LoadQueryHistory(directory.Slash());
                      return std::to_string(history.Entries().size()) + " entries"
                             + (loaded.Ok() ? "" : ", " + FaultText(loaded));
                  }),
                  "0 entries");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OddHistoryFile, testing::ValuesIn(oddFiles), [](const auto &test) {
    return std::string(test.param.Name);
});

class OddSettingsFile : public testing::TestWithParam<OddFile>
{};

TEST_P(OddSettingsFile, ReadsTheDefaultAndWritesOrReports)
{
    const OddFile &odd = GetParam();
    TestDirectory directory;
    const std::string path = directory.File(SettingsFileName);
    odd.Make(directory.Slash(), path);
    struct stat before;
    ASSERT_EQ(lstat(path.c_str(), &before), 0);

    EXPECT_EQ(RunInChild([&] {
                  return std::to_string(SettingsFile(path).ReadIntValue("Form", "Width", -7));
              }),
              "-7");
    const std::string written = RunInChild([&] {
        const Status status = SettingsFile(path).WriteIntValue("Form", "Width", 640);
        if (!status.Ok())
            return FaultText(status);
        return std::to_string(SettingsFile(path).ReadIntValue("Form", "Width", -7));
    });
    if (*odd.SettingsWriteError == '\0') {
        // Nothing was there to lose, so the write makes the file.
        EXPECT_EQ(written, "640");
        EXPECT_EQ(ReadFile(path), "[Form]\r\nWidth=640\r\n");
    } else {
        EXPECT_EQ(written, "Cannot create file \"" + path + "\". " + odd.SettingsWriteError);
        struct stat after;
        ASSERT_EQ(lstat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OddSettingsFile, testing::ValuesIn(oddFiles), [](const auto &test) {
    return std::string(test.param.Name);
});

} // namespace
} // namespace tellaria
