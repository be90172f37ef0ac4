#include "core/FileContent.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
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

// Reads `fd` on from `bytes.Size` to its end or to `capacityLimit` bytes, whichever comes first,
// into a buffer of `capacity` that grows as needed. The buffer is not zero-filled: for a large
// file that would cost as much as the read itself.
int ReadOn(int fd,
           std::size_t capacity,
           std::size_t capacityLimit,
           FileBytes &bytes,
           const ReadProgress &progress,
           std::size_t fileSize)
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
        if (progress)
            progress(bytes.View(), fileSize);
    }
}

// A file at least this long is read on a thread of its own while the caller works on the pieces
// read so far; a shorter one is read before the thread would have started.
constexpr std::size_t BackgroundReadSize = 1024 * 1024;
// Small, so that the caller starts early and the two threads keep pace.
constexpr std::size_t BackgroundPiece = 128 * 1024;

// Reads the first `size` bytes of `fd` (fewer if it ends first) into `bytes`, whose buffer holds
// them, on a thread that hands each piece to `progress` on this one. Returns the errno value of
// a failed read, 0 otherwise, and nothing when no thread could be started. What `progress`
// throws stops the reading thread before it goes on.
std::optional<int> ReadInBackground(int fd,
                                    std::size_t size,
                                    FileBytes &bytes,
                                    const ReadProgress &progress)
{
    // The bytes read so far, with the top bit set once the reading thread is done with them.
    constexpr std::uint64_t Done = std::uint64_t(1) << 63;
    std::atomic<std::uint64_t> state = 0;
    std::atomic<int> error = 0;
    char *const data = bytes.Data.get();
    const auto readPieces = [&, fd, size, data](std::stop_token stop) {
        std::size_t used = 0;
        while (used < size && !stop.stop_requested()) {
            const ssize_t count = read(fd, data + used, std::min(BackgroundPiece, size - used));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                error = count < 0 ? errno : 0;
                break;
            }
            used += static_cast<std::size_t>(count);
            state.store(used, std::memory_order_release);
            state.notify_one();
        }
        state.store(used | Done, std::memory_order_release);
        state.notify_one();
    };
    std::jthread reader;
    try {
        reader = std::jthread(readPieces);
    } catch (const std::system_error &) {
        return std::nullopt;
    }
    for (std::uint64_t seen = 0;;) {
        state.wait(seen, std::memory_order_acquire);
        const std::uint64_t now = state.load(std::memory_order_acquire);
        const auto read = static_cast<std::size_t>(now & ~Done);
        if (read != bytes.Size) {
            bytes.Size = read;
            progress(bytes.View(), size);
        }
        if (now & Done)
            return error.load();
        seen = now;
    }
}

} // namespace

FileRead ReadWholeFile(const std::string &path,
                       std::size_t limit,
                       ReadLock lock,
                       const ReadProgress &progress)
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
        if (progress && size >= BackgroundReadSize) {
            // Without a thread to be had, it is all read here.
            result.Error = ReadInBackground(file.Get(), static_cast<std::size_t>(size),
                                            result.Bytes, progress)
                               .value_or(0);
        }
        // After a read in the background, this finds the end or reads what was added since.
        if (result.Error == 0)
            result.Error = ReadOn(file.Get(), capacity, limit + 1, result.Bytes, progress,
                                  static_cast<std::size_t>(size));
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
