#pragma once

// What the fuzz targets share: a scratch directory for the file targets, and a check that stops
// the run on a broken property, so that libFuzzer keeps the input and the replay test fails.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace tellaria::fuzz {

[[noreturn]] inline void PropertyFailed(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) \
                 : ::tellaria::fuzz::PropertyFailed(#condition, __FILE__, __LINE__))

// A directory of this process's own, removed at exit. Every save fsyncs, so memory-backed
// /dev/shm keeps a run at thousands of inputs a second where a disk would allow tens.
inline const std::string &ScratchDirectory()
{
    // Never destroyed, so that the exit handler below still finds it.
    static const std::string *const directory = [] {
        std::string base = "/tmp";
        if (access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        else if (const char *temporary = std::getenv("TMPDIR"))
            base = temporary;
        std::string pattern = base + "/tellaria-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("tellaria fuzz: cannot create a scratch directory");
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDirectory(), ignored);
        });
        return new std::string(pattern + "/");
    }();
    return *directory;
}

// Writes `bytes` to `path` with plain calls, so the setup of an input does not go through the
// code under test.
inline void PutFile(const std::string &path, std::string_view bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
}

inline std::string GetFile(const std::string &path)
{
    std::string bytes;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    FUZZ_CHECK(file != nullptr);
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    std::fclose(file);
    return bytes;
}

} // namespace tellaria::fuzz
