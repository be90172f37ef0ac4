#pragma once

// Replacing a file's whole content so that readers only ever see the old or the new bytes.

#include "core/Status.h"

#include <string>
#include <string_view>

namespace tellaria {

// Writes `content` to a temporary file in the directory of `path`, flushes it to disk and renames
// it over `path`. While it writes it holds an exclusive lock on the new file, so a loader that
// asks for a shared lock meanwhile is refused. An existing file the user may not write is not
// replaced. On any failure the temporary file is removed, `path` is left exactly as it was, and
// the result is CannotCreateFile(path, cause). A symbolic link at `path` stays: the file it points
// to is the one replaced. Temporary files of earlier saves whose process died before the rename
// are removed.
Status ReplaceFileContent(const std::string &path, std::string_view content);

} // namespace tellaria
