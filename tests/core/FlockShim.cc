// Makes flock fail, with the errno value TELLARIA_FLOCK_ERROR names, on the program's data files
// (names beginning with "Lexivan", their temporary files included), as a file system without a
// working lock service does. Every other lock, and every lock while the variable is unset, goes
// to the system. Linked into a test program, or loaded into the built program with LD_PRELOAD.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

bool IsDataFile(int fd)
{
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0)
        return false;
    target[length] = '\0';
    const char *slash = std::strrchr(target, '/');
    return std::strncmp(slash ? slash + 1 : target, "Lexivan", 7) == 0;
}

} // namespace

extern "C" int flock(int fd, int operation)
{
    const char *error = std::getenv("TELLARIA_FLOCK_ERROR");
    if (error && *error && IsDataFile(fd)) {
        errno = std::atoi(error);
        return -1;
    }
    return static_cast<int>(syscall(SYS_flock, fd, operation));
}
