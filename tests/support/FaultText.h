#pragma once

// A failed Status told in one line, "Cannot open file "<path>". <cause>", so that a test states
// the kind, the path and the cause at once; empty on success.

#include "core/Status.h"

#include <string>
#include <system_error>

namespace tellaria {

inline std::string FaultText(const Status &status)
{
    if (status.Ok())
        return {};
    const char *verb = status.Fault() == FileFault::CannotOpen ? "open" : "create";
    return std::string("Cannot ") + verb + " file \"" + status.Path() + "\". "
           + std::generic_category().message(status.Error());
}

} // namespace tellaria
