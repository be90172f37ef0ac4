#pragma once

// Opening files for reading without blocking, and reading a whole file into memory.

#include <cstddef>
#include <memory>
#include <string_view>

namespace tellaria {

// Closes the descriptor it owns.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

struct FileBytes
{
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;

    std::string_view View() const { return {Data.get(), Size}; }
};

// Opens `path` for reading without blocking, so that a FIFO found in its place cannot stall the
// caller. Returns a closed descriptor with errno set on failure.
FileDescriptor OpenForReading(const std::string_view path);

// Reads `fd` to its end; `expectedSize` (the size fstat gave) only sizes the first buffer.
// Returns false with errno set on failure.
bool ReadToEnd(int fd, std::size_t expectedSize, FileBytes &bytes);

} // namespace tellaria
