#pragma once

// A fresh directory under the system's temporary directory, removed with all it holds at the end
// of the test, and small file helpers for the tests.

#include <csignal>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <iterator>
#include <ostream>
#include <pwd.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tellaria::test {

class TestDirectory
{
public:
    TestDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tellaria-test-XXXXXX");
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        m_path = pattern;
    }
    ~TestDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TestDirectory(const TestDirectory &) = delete;
    TestDirectory &operator=(const TestDirectory &) = delete;

    // The directory with its trailing separator, as the program directory is given.
    std::string Slash() const { return m_path + "/"; }
    std::string File(std::string_view name) const { return Slash() + std::string(name); }

private:
    std::string m_path;
};

inline void WriteFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What must not change about a kept file: its identity, mode, size, time and (when small
// enough to read) its bytes.
struct FileState
{
    ino_t Inode = 0;
    mode_t Mode = 0;
    off_t Size = 0;
    long long ModifiedNs = 0;
    std::string Bytes;

    bool operator==(const FileState &) const = default;
};

inline void PrintTo(const FileState &state, std::ostream *out)
{
    *out << "inode " << state.Inode << ", mode " << std::oct << state.Mode << std::dec << ", "
         << state.Size << " bytes: \"" << state.Bytes << '"';
}

inline FileState StateOf(const std::string &path)
{
    struct stat status;
    if (lstat(path.c_str(), &status) != 0)
        return {};
    FileState state{status.st_ino,
                    status.st_mode,
                    status.st_size,
                    status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec,
                    {}};
    if (S_ISREG(status.st_mode) && status.st_size < (1 << 20)) {
        // Read as root would: the file's mode may refuse the test itself.
        const mode_t mode = status.st_mode & 07777;
        chmod(path.c_str(), 0600);
        state.Bytes = ReadFile(path);
        chmod(path.c_str(), mode);
    }
    return state;
}

// Names of the directory's entries, for checking that nothing was left behind.
inline int CountEntries(const std::string &directory)
{
    int count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

// Runs `body` in a child process under a timer and returns the text it sends back, so that a
// call that blocks fails the test instead of hanging it, and limits set for the child stay there.
inline std::string RunInChild(const std::function<std::string()> &body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "pipe failed";
    const pid_t child = fork();
    if (child < 0)
        return "fork failed";
    if (child == 0) {
        close(pipeEnds[0]);
        alarm(10);
        std::string result;
        try {
            result = body();
        } catch (const std::exception &error) {
            result = std::string("unexpected exception: ") + error.what();
        }
        const ssize_t written = write(pipeEnds[1], result.data(), result.size());
        _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string result;
    char buffer[512];
    ssize_t count;
    while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, static_cast<std::size_t>(count));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return "child ended by signal " + std::to_string(WTERMSIG(status));
    return result;
}

// The tests run as root in CI, and root reads and writes through any file mode; the cases about
// permissions run as this ordinary user instead, in a child process.
struct OrdinaryUser
{
    uid_t Uid;
    gid_t Gid;
};

inline OrdinaryUser Nobody()
{
    const passwd *entry = getpwnam("nobody");
    return entry ? OrdinaryUser{entry->pw_uid, entry->pw_gid} : OrdinaryUser{65534, 65534};
}

// Makes the ordinary user the owner of `path` (a directory then takes the user's files); nothing
// to do when the tests do not run as root.
inline void HandToOrdinaryUser(const std::string &path)
{
    if (geteuid() == 0 && chown(path.c_str(), Nobody().Uid, Nobody().Gid) != 0)
        throw std::runtime_error("cannot hand " + path + " to the ordinary user");
}

// Gives up root for good; already an ordinary user, the process stays as it is.
inline void BecomeOrdinaryUser()
{
    if (geteuid() != 0)
        return;
    const OrdinaryUser user = Nobody();
    if (setgroups(0, nullptr) != 0 || setresgid(user.Gid, user.Gid, user.Gid) != 0
        || setresuid(user.Uid, user.Uid, user.Uid) != 0)
        throw std::runtime_error("cannot become the ordinary user");
}

// RunInChild, the child running as the ordinary user.
inline std::string RunAsOrdinaryUser(const std::function<std::string()> &body)
{
    return RunInChild([&] {
        BecomeOrdinaryUser();
        return body();
    });
}

} // namespace tellaria::test
