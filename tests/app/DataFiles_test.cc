// The built program, started and closed as an ordinary user would run it, with its data files in
// states that once lost what they held: after the close each file holds what it must, byte for
// byte. The program closes on SIGTERM as at the end of a desktop session, saving as for any close;
// failures it reports then go to its standard error stream.

#include "tests/support/ProcessSignals.h"
#include "tests/support/TestDirectory.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tellaria {
namespace {

using namespace std::chrono_literals;
using test::FileState;
using test::HandToOrdinaryUser;
using test::StateOf;
using test::TestDirectory;
using test::WriteFile;

constexpr const char *History = "Lexivander.qry";
constexpr const char *Settings = "Lexivanedr.ini";
// What a first close writes into a settings file it finds missing.
const std::regex WrittenSettings(
    "\\[Form\\]\r\nwidth=[0-9]+\r\nHeight=[0-9]+\r\n\\[Dictionary\\]\r\nID=0\r\n");

struct ProgramRun
{
    bool Closed = false; // ended by itself after SIGTERM, with status 0
    std::string Reports; // the lines the program reported on its standard error stream
};

bool WaitForExit(pid_t pid, std::chrono::seconds limit, int &status)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// A copy of the program in a directory of its own, which the ordinary user owns: the program
// keeps its data files there.
class ProgramDirectory
{
public:
    ProgramDirectory()
    {
        std::filesystem::copy_file(TELLARIA_PROGRAM, m_directory.File("tellaria"));
        for (const char *name : {"home", "runtime"}) {
            std::filesystem::create_directory(m_directory.File(name));
            chmod(m_directory.File(name).c_str(), 0700);
            HandToOrdinaryUser(m_directory.File(name));
        }
        HandToOrdinaryUser(m_directory.Slash());
    }

    std::string File(std::string_view name) const { return m_directory.File(name); }

    // Starts the program as the ordinary user, lets it start, closes it.
    ProgramRun StartAndClose(const std::vector<std::string> &extraEnvironment = {}) const
    {
        const std::string log = m_directory.File("stderr.log");
        const pid_t child = fork();
        if (child == 0) {
            const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
            try {
                test::BecomeOrdinaryUser();
            } catch (const std::exception &) {
                _exit(126);
            }
            if (chdir(m_directory.Slash().c_str()) != 0)
                _exit(126);
            std::vector<std::string> environment = {
                "PATH=/usr/bin:/bin",
                "HOME=" + m_directory.File("home"),
                "XDG_RUNTIME_DIR=" + m_directory.File("runtime"),
                "QT_QPA_PLATFORM=offscreen",
                "QTWEBENGINE_DISABLE_SANDBOX=1",
                // The reports are read in English (on a Chinese desktop they say the same).
                "LANGUAGE=en",
                // Nothing may reach the network.
                "QTWEBENGINE_CHROMIUM_FLAGS=--proxy-server=http://127.0.0.1:1",
            };
            environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
            std::vector<char *> pointers;
            for (std::string &entry : environment)
                pointers.push_back(entry.data());
            pointers.push_back(nullptr);
            const std::string program = m_directory.File("tellaria");
            char *arguments[] = {const_cast<char *>(program.c_str()), nullptr};
            execve(program.c_str(), arguments, pointers.data());
            _exit(127);
        }

        ProgramRun run;
        int status = 0;
        bool ended = false;
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (!test::CatchesSignal(child, SIGTERM)
               && std::chrono::steady_clock::now() < deadline) {
            if (waitpid(child, &status, WNOHANG) == child) {
                ended = true;
                break;
            }
            std::this_thread::sleep_for(10ms);
        }
        if (!ended) {
            kill(child, SIGTERM);
            ended = WaitForExit(child, 60s, status);
            if (!ended) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
            }
            run.Closed = ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::ifstream in(log);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("Tellaria: ", 0) == 0)
                run.Reports += line + "\n";
        }
        return run;
    }

private:
    TestDirectory m_directory;
};

void Put(const std::string &path, std::string_view bytes, mode_t mode)
{
    WriteFile(path, bytes);
    chmod(path.c_str(), mode);
}

std::string Report(const char *verb, const std::string &path, const char *cause)
{
    return std::string("Tellaria: Cannot ") + verb + " file \"" + path + "\". " + cause + ".\n";
}

// --- A history that could not be loaded is kept ---

struct UnloadableCase
{
    const char *Name;
    mode_t Mode;
    bool Locked;
};

class UnloadableHistoryRun : public testing::TestWithParam<UnloadableCase>
{};

TEST_P(UnloadableHistoryRun, KeepsTheFile)
{
    const ProgramDirectory directory;
    const std::string path = directory.File(History);
    Put(path, "dog\r\ncat\r\nowl\r\n", GetParam().Mode);
    const FileState before = StateOf(path);
    // Another program (or a second copy of this one) holds the file while it writes.
    const int writer = GetParam().Locked ? open(path.c_str(), O_RDWR | O_CLOEXEC) : -1;
    if (GetParam().Locked) {
        ASSERT_EQ(flock(writer, LOCK_EX), 0);
    }

    EXPECT_TRUE(directory.StartAndClose().Closed);
    if (writer >= 0)
        close(writer);
    EXPECT_EQ(StateOf(path), before);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         UnloadableHistoryRun,
                         testing::Values(UnloadableCase{"Unreadable", 0, false},
                                         UnloadableCase{"Locked", 0644, true}),
                         [](const auto &test) { return std::string(test.param.Name); });

TEST(HistoryRun, InUtf16IsSavedWholeInTheCodePage)
{
    const ProgramDirectory directory;
    // "dog", "cat", "中", UTF-16 little-endian with its byte-order mark.
    const std::string utf16("\xFF\xFE"
                            "d\0o\0g\0\r\0\n\0c\0a\0t\0\r\0\n\0\x2D\x4E\r\0\n\0",
                            28);
    Put(directory.File(History), utf16, 0644);
    HandToOrdinaryUser(directory.File(History));
    EXPECT_TRUE(directory.StartAndClose().Closed);
    EXPECT_EQ(StateOf(directory.File(History)).Bytes, "dog\r\ncat\r\n\xD6\xD0\r\n");
}

// --- Read-only files are not replaced ---

struct ReadOnlyCase
{
    const char *Name;
    const char *FileName;
    const char *Content;
};

class ReadOnlyFileRun : public testing::TestWithParam<ReadOnlyCase>
{};

TEST_P(ReadOnlyFileRun, KeepsTheFileAndReportsTheRefusal)
{
    const ProgramDirectory directory;
    const std::string path = directory.File(GetParam().FileName);
    Put(path, GetParam().Content, 0444);
    HandToOrdinaryUser(path);
    const FileState before = StateOf(path);

    const ProgramRun run = directory.StartAndClose();
    EXPECT_TRUE(run.Closed);
    EXPECT_EQ(StateOf(path), before);
    EXPECT_EQ(run.Reports, Report("create", path, "Permission denied"));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ReadOnlyFileRun,
                         // The history has no line break yet, so a save would change it.
                         testing::Values(ReadOnlyCase{"Settings", Settings,
                                                      "[Dictionary]\r\nID=2\r\n"},
                                         ReadOnlyCase{"History", History, "old"}),
                         [](const auto &test) { return std::string(test.param.Name); });

// --- Settings that cannot be read whole ---

TEST(SettingsRun, HugeFileGivesTheDefaultsAndTheHistoryStillLoads)
{
    const ProgramDirectory directory;
    const std::string settings = directory.File(Settings);
    Put(settings, "[Form]\r\nWidth=640\r\n", 0644);
    ASSERT_EQ(truncate(settings.c_str(), off_t{1} << 40), 0);
    HandToOrdinaryUser(settings);
    const FileState before = StateOf(settings);
    Put(directory.File(History), "dog\r\ncat\r\nowl", 0644);
    HandToOrdinaryUser(directory.File(History));

    const ProgramRun run = directory.StartAndClose();
    EXPECT_TRUE(run.Closed);
    // Loaded, then saved with the last line's break added.
    EXPECT_EQ(StateOf(directory.File(History)).Bytes, "dog\r\ncat\r\nowl\r\n");
    EXPECT_EQ(StateOf(settings), before);
    EXPECT_EQ(run.Reports, Report("create", settings, "File too large"));
}

// --- Lock errors ---

TEST(LockRun, FileSystemWithoutLocksLoadsAndSaves)
{
    const ProgramDirectory directory;
    Put(directory.File(History), "dog\ncat", 0644);
    HandToOrdinaryUser(directory.File(History));

    // Beside the program, so that the ordinary user can load it wherever the build tree lies.
    const std::string shim = directory.File("flock-shim.so");
    std::filesystem::copy_file(TELLARIA_FLOCK_SHIM, shim);

    const ProgramRun run = directory.StartAndClose(
        {"LD_PRELOAD=" + shim, "TELLARIA_FLOCK_ERROR=" + std::to_string(ENOLCK)});
    EXPECT_TRUE(run.Closed);
    EXPECT_EQ(run.Reports, "");
    EXPECT_EQ(StateOf(directory.File(History)).Bytes, "dog\r\ncat\r\n");
    EXPECT_TRUE(std::regex_match(StateOf(directory.File(Settings)).Bytes, WrittenSettings));
}

// --- Each save on its own ---

TEST(CloseRun, HistoryThatCannotBeSavedLeavesTheSettingsSaved)
{
    const ProgramDirectory directory;
    const std::string history = directory.File(History);
    ASSERT_EQ(mkdir(history.c_str(), 0755), 0);

    const ProgramRun run = directory.StartAndClose();
    EXPECT_TRUE(run.Closed);
    EXPECT_EQ(run.Reports, Report("create", history, "Is a directory"));
    EXPECT_TRUE(std::regex_match(StateOf(directory.File(Settings)).Bytes, WrittenSettings));
}

} // namespace
} // namespace tellaria
