#include "core/FileContent.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellaria {

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

FileRead Failed(int error)
{
    FileRead result;
    result.Error = error;
    return result;
}

// Reads `fd` to its end or to `capacityLimit` bytes, whichever comes first, into a buffer of
// `capacity` that grows as needed: a file may hold more than its size said (one that grew, or one
// under /proc, which says 0). The buffer is not zero-filled, as the read overwrites it anyway.
int ReadOn(int fd, std::size_t capacity, std::size_t capacityLimit, FileBytes &bytes)
{
    for (;;) {
        if (bytes.Size == capacity) {
            if (capacity == capacityLimit)
                return 0;
            const std::size_t grown = capacity > capacityLimit / 2 ? capacityLimit : capacity * 2;
            auto larger = std::make_unique_for_overwrite<char[]>(grown);
            std::memcpy(larger.get(), bytes.Data.get(), bytes.Size);
            bytes.Data = std::move(larger);
            capacity = grown;
        }
        const ssize_t count = read(fd, bytes.Data.get() + bytes.Size, capacity - bytes.Size);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (count == 0)
            return 0;
        bytes.Size += static_cast<std::size_t>(count);
    }
}

} // namespace

FileRead ReadWholeFile(const std::string &path, std::size_t limit, ReadLock lock)
{
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return Failed(errno);
    struct stat status;
    if (fstat(file.Get(), &status) != 0)
        return Failed(errno);
    if (!S_ISREG(status.st_mode))
        return Failed(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
    // Only "would block" means a writer holds the file; any other failure (ENOLCK on a network
    // mount without its lock service, say) says nothing about other processes.
    if (lock == ReadLock::Shared && flock(file.Get(), LOCK_SH | LOCK_NB) != 0
        && errno == EWOULDBLOCK)
        return Failed(EWOULDBLOCK);

    limit = std::min(limit, std::numeric_limits<std::size_t>::max() - 1);
    const auto size = static_cast<std::make_unsigned_t<off_t>>(status.st_size);
    if (size > limit)
        return Failed(EFBIG);
    // One byte more than the size shows the end without growing; one more than the limit shows
    // a file that grew past it.
    FileRead result;
    const auto capacity = static_cast<std::size_t>(size) + 1;
    try {
        result.Bytes.Data = std::make_unique_for_overwrite<char[]>(capacity);
        result.Error = ReadOn(file.Get(), capacity, limit + 1, result.Bytes);
    } catch (const std::bad_alloc &) {
        return Failed(ENOMEM);
    }
    if (result.Error == 0 && result.Bytes.Size > limit)
        return Failed(EFBIG);
    if (result.Error != 0)
        result.Bytes = {};
    return result;
}

} // namespace tellaria
