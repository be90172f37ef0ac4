#include "core/QueryHistory.h"

#include "core/AsciiCase.h"
#include "core/AtomicFile.h"
#include "core/CodePage.h"
#include "core/FileContent.h"
#include "core/TermText.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <new>
#include <sys/stat.h>
#include <utility>

namespace tellaria {

namespace {

constexpr std::size_t RecordCap = 11;

bool IsRegularFile(const std::string &path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Length of the GB18030 character that starts at `at`: 4 for lead, digit, lead, digit; 2 for a
// lead byte and a trail byte; 1 for anything else (ASCII, or a byte that starts no whole
// character, which then stands for itself).
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto isLead = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    const auto isDigit = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    if (!isLead(byte(at)) || at + 1 >= text.size())
        return 1;
    const unsigned char second = byte(at + 1);
    if (second >= 0x40 && second <= 0xFE && second != 0x7F)
        return 2;
    if (isDigit(second) && at + 3 < text.size() && isLead(byte(at + 2)) && isDigit(byte(at + 3)))
        return 4;
    return 1;
}

// Whether `entry` begins with `typed`, character by character: single bytes compare with ASCII
// letters folded, multi-byte characters compare whole and exactly, so a match can neither fold a
// trail byte nor end inside a character of the entry.
bool BeginsWith(std::string_view entry, std::string_view typed)
{
    if (entry.size() < typed.size())
        return false;
    std::size_t at = 0;
    while (at < typed.size()) {
        const std::size_t length = CharacterLength(typed, at);
        if (CharacterLength(entry, at) != length)
            return false;
        if (length == 1) {
            if (AsciiLower(entry[at]) != AsciiLower(typed[at]))
                return false;
        } else if (entry.compare(at, length, typed, at, length) != 0) {
            return false;
        }
        at += length;
    }
    return true;
}

// A history an editor saved in Unicode, as its byte-order mark tells, converted to the code page
// every entry is held in; the next save writes the code page like any other. Nothing for a file
// without a mark, and for one whose bytes are not valid in the encoding its mark names: those
// bytes are read as they are, so neither way loses any.
std::optional<std::string> InCodePage(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return AnsiFromUnicode(bytes.substr(3), UnicodeEncoding::Utf8);
    if (bytes.starts_with("\xFF\xFE"))
        return AnsiFromUnicode(bytes.substr(2), UnicodeEncoding::Utf16LittleEndian);
    if (bytes.starts_with("\xFE\xFF"))
        return AnsiFromUnicode(bytes.substr(2), UnicodeEncoding::Utf16BigEndian);
    return std::nullopt;
}

// A code-page control byte. In GB18030 no byte of a multi-byte character is one.
bool IsControlByte(char byte)
{
    return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
}

// `line` as a term may be: its control bytes (a tab, say) made single spaces, none at either
// end, as OneLineTerm makes a term. `scratch` holds the result when it differs.
std::string_view OneLine(std::string_view line, std::string &scratch)
{
    if (std::none_of(line.begin(), line.end(), IsControlByte))
        return line;
    scratch.clear();
    bool pendingSpace = false;
    for (const char byte : line) {
        if (IsControlByte(byte)) {
            pendingSpace = !scratch.empty();
            continue;
        }
        if (std::exchange(pendingSpace, false))
            scratch += ' ';
        scratch += byte;
    }
    return scratch;
}

// Calls `line` with each line of `bytes`, as ParseQueryHistory cuts and cleans them.
template<typename Line>
void SplitLines(std::string_view bytes, Line &&line)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string scratch;
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const char byte = bytes[at];
        if (byte != '\r' && byte != '\n')
            continue;
        line(OneLine(bytes.substr(lineStart, at - lineStart), scratch));
        // CR LF is one break.
        if (byte == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
            ++at;
        lineStart = at + 1;
    }
    if (lineStart < bytes.size())
        line(OneLine(bytes.substr(lineStart), scratch));
}

// The file's bytes for `count` entries, `entry(i)` the i-th: each ended by CR LF.
template<typename Entry>
std::string HistoryContent(std::size_t count, Entry &&entry)
{
    std::size_t size = 0;
    for (std::size_t i = 0; i < count; ++i)
        size += entry(i).size() + 2;
    std::string content;
    content.reserve(size);
    for (std::size_t i = 0; i < count; ++i) {
        content += entry(i);
        content += "\r\n";
    }
    return content;
}

} // namespace

std::vector<std::string> ParseQueryHistory(std::string_view bytes)
{
    std::vector<std::string> entries;
    SplitLines(bytes, [&](std::string_view line) { entries.emplace_back(line); });
    return entries;
}

std::string SerializeQueryHistory(const std::vector<std::string> &entries)
{
    return HistoryContent(entries.size(),
                          [&](std::size_t i) { return std::string_view(entries[i]); });
}

std::optional<std::string> FindQueryHistoryFile(const std::string &directory)
{
    const std::string exact = directory + std::string(QueryHistoryFileName);
    if (IsRegularFile(exact))
        return exact;

    DIR *listing = opendir(directory.empty() ? "." : directory.c_str());
    if (!listing)
        return std::nullopt;
    // Of several names that differ only in case, the first in byte order wins, so the choice
    // does not depend on the order the directory happens to list them.
    std::optional<std::string> best;
    while (const dirent *item = readdir(listing)) {
        const std::string_view name = item->d_name;
        if (!EqualIgnoringAsciiCase(name, QueryHistoryFileName))
            continue;
        if (best && name >= std::string_view(*best))
            continue;
        if (IsRegularFile(directory + std::string(name)))
            best = std::string(name);
    }
    closedir(listing);
    if (!best)
        return std::nullopt;
    return directory + *best;
}

std::string QueryHistory::EntryText(std::size_t index) const
{
    return Utf8(Entry(index));
}

std::string_view QueryHistory::Entry(std::size_t index) const
{
    const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[index] - begin);
}

std::vector<std::string> QueryHistory::Entries() const
{
    std::vector<std::string> entries;
    entries.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i)
        entries.emplace_back(Entry(i));
    return entries;
}

void QueryHistory::SetEntries(const std::vector<std::string> &entries)
{
    Clear();
    for (const std::string &entry : entries)
        Append(entry);
}

void QueryHistory::Clear()
{
    m_bytes.clear();
    m_ends.clear();
}

void QueryHistory::Append(std::string_view entry)
{
    m_bytes += entry;
    m_ends.push_back(m_bytes.size());
}

bool QueryHistory::RecordQuery(std::string_view utf8)
{
    const std::string entry = AnsiFromUtf8(OneLineTerm(utf8));
    for (std::size_t i = 0; i < Count(); ++i) {
        if (Entry(i) == entry)
            return false;
    }
    if (Count() >= RecordCap) {
        const std::size_t dropped = m_ends.front();
        m_bytes.erase(0, dropped);
        m_ends.erase(m_ends.begin());
        for (std::size_t &end : m_ends)
            end -= dropped;
    }
    Append(entry);
    return true;
}

Status QueryHistory::LoadQueryHistory(const std::string &directory)
{
    Clear();
    m_loadFailed = false;
    const std::optional<std::string> path = FindQueryHistoryFile(directory);
    if (!path)
        return {};

    // Others may read along, but a writer holding the file is waited for by no one.
    const FileRead file = ReadWholeFile(*path, QueryHistoryFileSizeLimit, ReadLock::Shared);
    int error = file.Error;
    if (error == 0) {
        try {
            const std::optional<std::string> converted = InCodePage(file.Bytes.View());
            const std::string_view bytes = converted ? *converted : file.Bytes.View();
            // Counted first, so that the list takes no more room than its lines need.
            std::size_t lines = 0;
            SplitLines(bytes, [&lines](std::string_view) { ++lines; });
            m_ends.reserve(lines);
            m_bytes.reserve(bytes.size());
            SplitLines(bytes, [this](std::string_view line) { Append(line); });
            return {};
        } catch (const std::bad_alloc &) {
            Clear();
            error = ENOMEM;
        }
    }
    m_loadFailed = true;
    return Status::CannotOpenFile(*path, error);
}

Status QueryHistory::SaveQueryHistory(const std::string &directory) const
{
    if (m_loadFailed)
        return {};
    return ReplaceFileContent(directory + std::string(QueryHistoryFileName),
                              HistoryContent(Count(), [this](std::size_t i) { return Entry(i); }));
}

std::optional<std::size_t> QueryHistory::FindCompletion(std::string_view typedUtf8) const
{
    const std::string typed = AnsiFromUtf8(typedUtf8);
    if (typed.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < Count(); ++i) {
        if (BeginsWith(Entry(i), typed))
            return i;
    }
    return std::nullopt;
}

} // namespace tellaria
