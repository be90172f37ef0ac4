#pragma once

// The outcome of a file operation of the core: success, or the message the user sees.

#include <string>
#include <utility>

namespace tellaria {

class [[nodiscard]] Status
{
public:
    // Success.
    Status() = default;

    // "Cannot open file "<path>". <cause>", the cause being the system's description of the
    // errno value `error`.
    static Status CannotOpenFile(const std::string &path, int error);
    // "Cannot create file "<path>". <cause>".
    static Status CannotCreateFile(const std::string &path, int error);

    bool Ok() const { return m_message.empty(); }
    // Empty on success; otherwise the text the general error report shows.
    const std::string &Message() const { return m_message; }

private:
    explicit Status(std::string message)
        : m_message(std::move(message))
    {}

    std::string m_message;
};

} // namespace tellaria
