#pragma once

// Where the settings and history files live.

#include <QString>

namespace tellaria {

// True when a file can really be created in `directory`. It tries one rather than asking
// access(), which answers yes to root for directories that refuse files all the same.
bool IsDirectoryWritable(const QString &directory);

// The directory for the settings and history files, with its trailing separator:
// `executableDirectory` itself while it is writable (the portable layout); otherwise, as for an
// installed copy, the user's configuration directory for the program, made when missing. When
// even that cannot be made, the files' own save reports the failure.
QString DataDirectory(const QString &executableDirectory);

} // namespace tellaria
