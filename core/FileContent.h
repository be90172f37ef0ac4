#pragma once

// Reading a whole file into memory: the one way the core reads its data files.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tellaria {

struct FileBytes
{
    std::unique_ptr<char[]> Data;
    std::size_t Size = 0;

    std::string_view View() const { return {Data.get(), Size}; }
};

enum class ReadLock {
    None,
    // A shared lock, so that a file another process holds locked for writing is refused.
    Shared,
};

struct FileRead
{
    FileBytes Bytes;
    // 0 when the whole file was read. Otherwise why not, as an errno value: that of the call that
    // failed (ENOENT for a missing file); EISDIR for a directory and EINVAL for any other file
    // that is not a regular one; EWOULDBLOCK when another process holds the file locked; EFBIG
    // when it is longer than the limit; ENOMEM when memory ran out.
    int Error = 0;
};

// Reads the regular file at `path`, at most `limit` bytes of it: a longer file is not read
// further and fails with EFBIG, and memory grows with what is read, never beyond the limit. The
// file is opened without blocking, so a FIFO found in its place cannot stall the caller. With
// ReadLock::Shared only a lock that is held counts: a file system without locks reads unlocked.
FileRead ReadWholeFile(const std::string &path, std::size_t limit, ReadLock lock);

} // namespace tellaria
