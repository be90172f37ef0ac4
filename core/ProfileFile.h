#pragma once

// Our emulation of the profile (INI) functions of the program's original platform, which do not
// exist here. It behaves as they do, so a settings file copied from there reads the same:
// - section and key names match without regard to ASCII letter case, the first of duplicate
//   sections and keys wins, a section header ends at the first "]" (a missing "]" is accepted),
//   lines starting with ";" are comments, lines without "=" are not keys;
// - blanks around names and values are trimmed on reading, and one matching pair of quotes
//   around a value is removed;
// - CR LF, LF and CR all end a line; a UTF-8 byte-order mark is not recognised;
// - writing keeps every line it does not change byte for byte.
// Nothing is cached: every call reads (and a write replaces) the file at the moment it is made.

#include "core/Status.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tellaria {

// Size of the buffer values are read through: a longer value is cut to its first 2047 bytes.
inline constexpr std::size_t ProfileValueBufferSize = 2048;

// The longest profile file that is read. A settings file holds a few lines; this leaves room for
// any file made by hand, while a read stays a matter of milliseconds and of bounded memory.
inline constexpr std::size_t ProfileFileSizeLimit = std::size_t{16} << 20;

// The value of `key` in `section` of the profile text `content`, trimmed, unquoted and cut to the
// buffer size; `defaultValue` when the section or the key is missing.
std::string ProfileLookup(std::string_view content,
                          std::string_view section,
                          std::string_view key,
                          std::string_view defaultValue);

// `content` with `key` in `section` set to `value`. An existing key keeps its spelling and only
// its line changes (an unterminated last line gains CR LF); a missing key is added after the last
// key line of its section; a missing section is appended at the end as "[section]" CR LF
// "key=value" CR LF, after a CR LF when the content does not end in a line break.
std::string ProfileReplace(std::string_view content,
                           std::string_view section,
                           std::string_view key,
                           std::string_view value);

// `content` without the first section named `section`: its header line and every line up to the
// next header go; every other line stays byte for byte. The content unchanged when there is none.
std::string ProfileRemoveSection(std::string_view content, std::string_view section);

// GetPrivateProfileString: ProfileLookup on the file at `path`; `defaultValue` when the file is
// missing or cannot be read whole (unreadable, not a regular file, longer than
// ProfileFileSizeLimit). Never creates the file and never fails.
std::string GetPrivateProfileString(std::string_view section,
                                    std::string_view key,
                                    std::string_view defaultValue,
                                    const std::string &path);

// WritePrivateProfileString: ProfileReplace on the file at `path` (created when missing), the new
// content replacing the old atomically. CannotCreateFile when the file cannot be read whole or
// written, or the user may not write it, and (EINVAL) for a name or value holding a line break
// or NUL, which would write another key; the old file then stays as it was.
Status WritePrivateProfileString(std::string_view section,
                                 std::string_view key,
                                 std::string_view value,
                                 const std::string &path);

// Replaces section `section` of the file at `path` with `keys` (name, value), in order, appended
// at the end as ProfileReplace appends a new section; with no keys the section goes. One atomic
// replacement; fails as WritePrivateProfileString does.
Status WritePrivateProfileSection(std::string_view section,
                                  const std::vector<std::pair<std::string, std::string>> &keys,
                                  const std::string &path);

} // namespace tellaria
