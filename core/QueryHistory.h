#pragma once

// The list of earlier query terms offered by the query box, kept from one run to the next in the
// history file "Lexivander.qry" in the program's directory.

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

inline constexpr std::string_view QueryHistoryFileName = "Lexivander.qry";

// Splits history-file bytes into entries: a NUL byte ends the content; a line ends at CR LF, at a
// lone CR or at a lone LF; a break at the very end adds no empty entry. Linear in the input.
std::vector<std::string> ParseQueryHistory(std::string_view bytes);

// The file content for `entries`: each entry followed by CR LF; no entries give no bytes.
std::string SerializeQueryHistory(const std::vector<std::string> &entries);

// The history file to load from `directory` (which ends in a path separator): the regular file
// named exactly "Lexivander.qry", else a regular file whose name matches it without regard to
// letter case (one copied from a system whose names ignore case); nothing when there is neither.
// Directories, FIFOs and dangling links never count.
std::optional<std::string> FindQueryHistoryFile(const std::string &directory);

// The entries are kept as spans over the bytes they came from (the loaded file, or the text
// recorded), so that loading a long history costs little more than reading its file.
class QueryHistory
{
public:
    QueryHistory() = default;
    QueryHistory(const QueryHistory &other);
    QueryHistory &operator=(const QueryHistory &other);
    QueryHistory(QueryHistory &&) = default;
    QueryHistory &operator=(QueryHistory &&) = default;

    std::size_t Count() const { return m_spans.size(); }
    // Entry `index` (0 the oldest); valid until the list next changes.
    std::string_view Entry(std::size_t index) const { return m_spans[index]; }
    // A copy of every entry, in list order.
    std::vector<std::string> Entries() const;
    void SetEntries(const std::vector<std::string> &entries);

    // Appends `text` unless an entry equals it byte for byte. Before appending, a list of more
    // than 10 entries drops its oldest one, so recording caps the list at 11. Returns whether the
    // list changed.
    bool RecordQuery(std::string_view text);

    // Replaces the list with the history file in `directory`, if there is one; leaves it empty
    // otherwise. A file that begins with a UTF-8 or UTF-16 byte-order mark is read in that
    // encoding when the rest is valid in it. A file that exists but cannot be read (unreadable,
    // locked by a writer, larger than the memory could hold) throws CannotOpenFile with its full
    // path; the list is left empty and the load counts as failed.
    void LoadQueryHistory(const std::string &directory);

    // Whether the last load failed: the file holds entries the list lacks.
    bool LoadFailed() const { return m_loadFailed; }

    // Writes the list to "Lexivander.qry" in `directory`, replacing the file atomically. Throws
    // CannotCreateFile on failure, leaving the old file as it was. Does nothing after a failed
    // load, so the file that could not be read keeps its entries.
    void SaveQueryHistory(const std::string &directory) const;

    // Completion while typing: the index of the first entry, in list order, that begins with
    // `typed`, ASCII letters compared without regard to case. Multi-byte characters (in the ANSI
    // code page) compare whole, so a match never ends inside one. Nothing for an empty `typed`.
    std::optional<std::size_t> FindCompletion(std::string_view typed) const;

private:
    void Clear();

    std::vector<std::string_view> m_spans;
    std::unique_ptr<char[]> m_loaded; // the file's bytes the loaded entries point into
    std::deque<std::string> m_recorded; // texts added since; a deque never moves its elements
    bool m_loadFailed = false;
};

} // namespace tellaria
