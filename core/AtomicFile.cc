#include "core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellaria {

namespace {

std::string DirectoryOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Creates a new file beside `path` whose name no other writer uses. The mode 0666 lets the
// process's umask decide the permissions, as for any file the program creates.
int CreateTemporaryFile(const std::string &path, std::string &temporaryPath)
{
    static std::atomic<unsigned> counter{0};
    thread_local std::minstd_rand random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = path + ".tmp-" + std::to_string(getpid()) + "-"
                        + std::to_string(counter.fetch_add(1)) + "-" + std::to_string(random());
        const int fd = open(temporaryPath.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view content)
{
    const char *data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Temporary files that an earlier save left behind when its process died mid-write: named
// "<file>.tmp-<pid>-…" by a process that no longer runs. Another running save keeps its own.
void RemoveStaleTemporaryFiles(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp-";
    DIR *listing = opendir(DirectoryOf(path).c_str());
    if (!listing)
        return;
    while (const dirent *item = readdir(listing)) {
        const std::string_view name = item->d_name;
        if (name.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view rest = name.substr(prefix.size());
        pid_t owner = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), owner);
        if (error != std::errc() || end == rest.data() || *end != '-' || owner <= 0)
            continue;
        if (kill(owner, 0) != 0 && errno == ESRCH)
            unlinkat(dirfd(listing), item->d_name, 0);
    }
    closedir(listing);
}

// The file a save should replace: the target of a symbolic link (a history kept elsewhere and
// linked in must stay linked), else `path` itself.
std::string FileToReplace(const std::string &path)
{
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return path;
    const std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
    return resolved ? std::string(resolved.get()) : path;
}

} // namespace

Status ReplaceFileContent(const std::string &requestedPath, std::string_view content)
{
    const std::string path = FileToReplace(requestedPath);
    // Renaming over a file needs only the directory to be writable; a file the user made
    // read-only is pinned all the same, so the file's own write permission is asked, with the
    // effective IDs a write would use.
    struct stat old;
    const bool replacesRegularFile = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (replacesRegularFile && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return Status::CannotCreateFile(path, errno);

    RemoveStaleTemporaryFiles(path);
    std::string temporaryPath;
    const int fd = CreateTemporaryFile(path, temporaryPath);
    if (fd < 0)
        return Status::CannotCreateFile(path, errno);

    const auto fail = [&](int error) {
        close(fd);
        unlink(temporaryPath.c_str());
        return Status::CannotCreateFile(path, error);
    };

    // The lock is for loaders that open the target once the rename has made this file the
    // target. Nobody else can hold a fresh file, so a failure here only means a file system
    // without locks, where the save goes on unlocked.
    flock(fd, LOCK_EX | LOCK_NB);

    // Keep the permissions of the file being replaced.
    if (replacesRegularFile && fchmod(fd, old.st_mode & 07777) != 0)
        return fail(errno);

    if (!WriteAll(fd, content) || fsync(fd) != 0)
        return fail(errno);
    if (rename(temporaryPath.c_str(), path.c_str()) != 0)
        return fail(errno);

    // Make the rename itself durable; the new content is already in place, so a failure here
    // is not worth failing the save for.
    const int directory = open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        fsync(directory);
        close(directory);
    }
    close(fd);
    return {};
}

} // namespace tellaria
