#include "core/FileContent.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace tellaria {

FileDescriptor::~FileDescriptor()
{
    if (m_fd >= 0)
        close(m_fd);
}

FileDescriptor OpenForReading(const std::string_view path)
{
    const std::string terminated(path);
    return FileDescriptor(open(terminated.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
}

bool ReadToEnd(int fd, std::size_t expectedSize, FileBytes &bytes)
{
    // The buffer is not zero-filled first: for a large file that would cost as much as the read
    // itself. One byte more than expected shows the end without growing.
    std::size_t capacity = expectedSize + 1;
    bytes.Data = std::make_unique_for_overwrite<char[]>(capacity);
    bytes.Size = 0;
    for (;;) {
        if (bytes.Size == capacity) {
            const std::size_t grown = capacity * 2;
            auto larger = std::make_unique_for_overwrite<char[]>(grown);
            std::memcpy(larger.get(), bytes.Data.get(), bytes.Size);
            bytes.Data = std::move(larger);
            capacity = grown;
        }
        const ssize_t count = read(fd, bytes.Data.get() + bytes.Size, capacity - bytes.Size);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (count == 0)
            return true;
        bytes.Size += static_cast<std::size_t>(count);
    }
}

} // namespace tellaria
