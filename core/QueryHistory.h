#pragma once

// The list of earlier query terms offered by the query box, kept from one run to the next in the
// history file "Lexivander.qry" in the program's directory.
//
// Callers give and take UTF-8. The entries themselves are held as the code-page bytes they were
// loaded or recorded as, which is what the file stores: a history saves back byte for byte, bytes
// the code page gives no character included.

#include "core/Status.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

inline constexpr std::string_view QueryHistoryFileName = "Lexivander.qry";

// The longest history file that is loaded: 16 MiB. The program writes a few lines; a file made by
// hand of that size still loads in a fraction of a second. A longer one fails the load, and is
// then kept. So a loaded list holds at most 16 MiB of text and one offset (8 bytes) a line.
inline constexpr std::size_t QueryHistoryFileSizeLimit = std::size_t{16} << 20;

// Splits history-file bytes into entries: a NUL byte ends the content; a line ends at CR LF, at a
// lone CR or at a lone LF; a break at the very end adds no empty entry. Within a line, control
// bytes (a tab, say) become single spaces, none at either end, so no entry holds one. Linear in
// the input.
std::vector<std::string> ParseQueryHistory(std::string_view bytes);

// The file content for `entries`: each entry followed by CR LF; no entries give no bytes.
std::string SerializeQueryHistory(const std::vector<std::string> &entries);

// The history file to load from `directory` (which ends in a path separator): the regular file
// named exactly "Lexivander.qry", else a regular file whose name matches it without regard to
// letter case (one copied from a system whose names ignore case); nothing when there is neither.
// Directories, FIFOs and dangling links never count.
std::optional<std::string> FindQueryHistoryFile(const std::string &directory);

class QueryHistory
{
public:
    std::size_t Count() const { return m_ends.size(); }
    // Entry `index` (0 the oldest) in UTF-8; bytes that are not valid in the code page come out
    // as U+FFFD.
    std::string EntryText(std::size_t index) const;

    // Entry `index` as held: its code-page bytes. Valid until the list next changes.
    std::string_view Entry(std::size_t index) const;
    // Every entry's code-page bytes, in list order.
    std::vector<std::string> Entries() const;
    // Replaces the list with `entries`, code-page bytes.
    void SetEntries(const std::vector<std::string> &entries);

    // Appends the term `utf8` made one line (OneLineTerm), in the code page, unless an entry
    // holds the same bytes. Before
    // appending, a list of more than 10 entries drops its oldest one, so recording caps the list
    // at 11. Returns whether the list changed.
    bool RecordQuery(std::string_view utf8);

    // Replaces the list with the history file in `directory`, if there is one; leaves it empty
    // otherwise. A file that begins with a UTF-8 or UTF-16 byte-order mark is read in that
    // encoding when the rest is valid in it. A file that exists but cannot be read (unreadable,
    // locked by a writer, longer than QueryHistoryFileSizeLimit) gives CannotOpenFile with its
    // full path; the list is left empty and the load counts as failed.
    Status LoadQueryHistory(const std::string &directory);

    // Whether the last load failed: the file holds entries the list lacks.
    bool LoadFailed() const { return m_loadFailed; }

    // Writes the list to "Lexivander.qry" in `directory`, replacing the file atomically.
    // CannotCreateFile on failure, the old file left as it was. Does nothing after a failed load,
    // so the file that could not be read keeps its entries.
    Status SaveQueryHistory(const std::string &directory) const;

    // Completion while typing: the index of the first entry, in list order, that begins with the
    // code-page bytes of `typedUtf8`, ASCII letters compared without regard to case. Multi-byte
    // characters compare whole, so a match never ends inside one. Nothing for an empty text.
    std::optional<std::size_t> FindCompletion(std::string_view typedUtf8) const;

private:
    void Clear();
    void Append(std::string_view entry);

    // The entries' bytes back to back, and where each entry ends among them: a long history
    // costs one offset a line beyond its text.
    std::string m_bytes;
    std::vector<std::size_t> m_ends;
    bool m_loadFailed = false;
};

} // namespace tellaria
