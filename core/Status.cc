#include "core/Status.h"

#include <system_error>

namespace tellaria {

namespace {

std::string FileMessage(const char *verb, const std::string &path, int error)
{
    // generic_category gives the same text as strerror without its shared buffer.
    std::string message = "Cannot ";
    message += verb;
    message += " file \"";
    message += path;
    message += "\". ";
    message += std::generic_category().message(error);
    return message;
}

} // namespace

Status Status::CannotOpenFile(const std::string &path, int error)
{
    return Status(FileMessage("open", path, error));
}

Status Status::CannotCreateFile(const std::string &path, int error)
{
    return Status(FileMessage("create", path, error));
}

} // namespace tellaria
