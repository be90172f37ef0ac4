// Stands in for fsync, fdatasync and rename in the test program it is linked into, noting the
// calls SaveCallsShim.h describes before passing each on to the system.

#include "SaveCallsShim.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tellaria::test {
namespace {

bool g_recording = false;
std::vector<std::string> g_calls;
std::function<void()> g_afterRename;

std::string PathOf(int fd)
{
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

// The name of a data file's path, temporary files without their unique part; empty for any
// other file.
std::string DataFileName(const std::string &path)
{
    std::string name = path.substr(path.rfind('/') + 1);
    if (name.rfind("Lexivan", 0) != 0)
        return {};
    const std::size_t temporary = name.find(".tmp-");
    if (temporary != std::string::npos)
        name.resize(temporary + 4);
    return name;
}

void NoteSync(int fd)
{
    if (!g_recording)
        return;
    struct stat status;
    if (fstat(fd, &status) != 0)
        return;
    const std::string path = PathOf(fd);
    if (S_ISDIR(status.st_mode)) {
        g_calls.push_back("sync " + path + "/");
        return;
    }
    const std::string name = DataFileName(path);
    if (!name.empty())
        g_calls.push_back("sync " + name + " " + std::to_string(status.st_size));
}

} // namespace

void StartRecordingSaveCalls()
{
    g_calls.clear();
    g_recording = true;
}

std::vector<std::string> RecordedSaveCalls()
{
    return g_calls;
}

void AfterNextRename(std::function<void()> hook)
{
    g_afterRename = std::move(hook);
}

} // namespace tellaria::test

using namespace tellaria::test;

extern "C" int fsync(int fd)
{
    NoteSync(fd);
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd)
{
    NoteSync(fd);
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

extern "C" int rename(const char *from, const char *to)
{
    const int result = static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0));
    const std::string toName = DataFileName(to);
    if (result != 0 || toName.empty())
        return result;
    if (g_recording)
        g_calls.push_back("rename " + DataFileName(from) + " " + toName);
    if (g_afterRename) {
        const std::function<void()> hook = std::move(g_afterRename);
        g_afterRename = nullptr;
        hook();
    }
    return result;
}
