#include "core/FileError.h"

#include <system_error>

namespace tellaria {

namespace {

FileError MakeFileError(const char *verb, const std::string &path, int error)
{
    // generic_category gives the same text as strerror without its shared buffer.
    std::string message = "Cannot ";
    message += verb;
    message += " file \"";
    message += path;
    message += "\". ";
    message += std::generic_category().message(error);
    return FileError(message);
}

} // namespace

FileError CannotOpenFile(const std::string &path, int error)
{
    return MakeFileError("open", path, error);
}

FileError CannotCreateFile(const std::string &path, int error)
{
    return MakeFileError("create", path, error);
}

} // namespace tellaria
