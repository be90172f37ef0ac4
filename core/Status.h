#pragma once

// The outcome of a file operation of the core: success, or what failed on which file and why.
// The words the user reads are chosen above the core (desktop/CoreWording).

#include <string>
#include <utility>

namespace tellaria {

enum class FileFault {
    None,
    CannotOpen,
    CannotCreate,
};

class [[nodiscard]] Status
{
public:
    // Success.
    Status() = default;

    // The file at `path` could not be opened (read) or created (written), `error` the errno value.
    static Status CannotOpenFile(const std::string &path, int error)
    {
        return Status(FileFault::CannotOpen, path, error);
    }
    static Status CannotCreateFile(const std::string &path, int error)
    {
        return Status(FileFault::CannotCreate, path, error);
    }

    bool Ok() const { return m_fault == FileFault::None; }
    FileFault Fault() const { return m_fault; }
    const std::string &Path() const { return m_path; }
    int Error() const { return m_error; }

    friend bool operator==(const Status &, const Status &) = default;

private:
    Status(FileFault fault, std::string path, int error)
        : m_fault(fault)
        , m_path(std::move(path))
        , m_error(error)
    {}

    FileFault m_fault = FileFault::None;
    std::string m_path;
    int m_error = 0;
};

} // namespace tellaria
