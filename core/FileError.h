#pragma once

// The error raised by the program's file operations, carrying the message the user sees.

#include <stdexcept>
#include <string>

namespace tellaria {

class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file "<path>". <cause>", the cause being the system's description of `error`.
FileError CannotOpenFile(const std::string &path, int error);
// "Cannot create file "<path>". <cause>".
FileError CannotCreateFile(const std::string &path, int error);

} // namespace tellaria
