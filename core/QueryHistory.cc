#include "core/QueryHistory.h"

#include "core/AtomicFile.h"
#include "core/ByteSearch.h"
#include "core/FileContent.h"
#include "core/FileError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellaria {

namespace {

constexpr std::size_t RecordCap = 11;

bool IsRegularFile(const std::string &path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

unsigned char AsciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(static_cast<unsigned char>(a[i]))
            != AsciiLower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
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
            if (AsciiLower(static_cast<unsigned char>(entry[at]))
                != AsciiLower(static_cast<unsigned char>(typed[at])))
                return false;
        } else if (entry.compare(at, length, typed, at, length) != 0) {
            return false;
        }
        at += length;
    }
    return true;
}

// Cuts history bytes into entries as they arrive, so that a file can be read in pieces that stay
// in the processor's cache instead of into one buffer the size of the file. A line may span
// pieces; so may a CR LF pair.
class HistorySplitter
{
public:
    void Feed(const char *at, std::size_t size)
    {
        const char *const end = at + size;
        if (m_ended || at == end)
            return;
        if (m_afterCr) {
            m_afterCr = false;
            if (*at == '\n')
                ++at;
        }
        while (at < end) {
            // A line ends at CR or LF, and a NUL ends the content.
            const char *const lineEnd = FindFirstOf(at, end, '\r', '\n', '\0');
            if (lineEnd == end) {
                m_pending.append(at, static_cast<std::size_t>(end - at));
                return;
            }
            if (*lineEnd == '\0') {
                m_pending.append(at, static_cast<std::size_t>(lineEnd - at));
                m_ended = true;
                return;
            }
            Emit(at, static_cast<std::size_t>(lineEnd - at));
            at = lineEnd + 1;
            if (*lineEnd == '\r') {
                if (at == end)
                    m_afterCr = true;
                else if (*at == '\n')
                    ++at;
            }
        }
    }

    bool Ended() const { return m_ended; }
    void Reserve(std::size_t count) { m_entries.reserve(count); }

    // The entries; a last line without a break counts, an empty one after a break does not.
    std::vector<std::string> Finish()
    {
        if (!m_pending.empty())
            m_entries.push_back(std::move(m_pending));
        m_pending.clear();
        return std::move(m_entries);
    }

private:
    void Emit(const char *text, std::size_t size)
    {
        if (m_pending.empty()) {
            m_entries.emplace_back(text, size);
            return;
        }
        m_pending.append(text, size);
        m_entries.push_back(std::move(m_pending));
        m_pending.clear();
    }

    std::vector<std::string> m_entries;
    std::string m_pending; // the start of a line that the next piece continues
    bool m_afterCr = false; // the last piece ended in CR, so an LF next completes that break
    bool m_ended = false;   // a NUL was seen
};

} // namespace

std::vector<std::string> ParseQueryHistory(std::string_view bytes)
{
    HistorySplitter splitter;
    splitter.Feed(bytes.data(), bytes.size());
    return splitter.Finish();
}

std::string SerializeQueryHistory(const std::vector<std::string> &entries)
{
    std::size_t size = 0;
    for (const std::string &entry : entries)
        size += entry.size() + 2;
    std::string content;
    content.reserve(size);
    for (const std::string &entry : entries) {
        content += entry;
        content += "\r\n";
    }
    return content;
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

bool QueryHistory::RecordQuery(std::string_view text)
{
    if (std::find(m_entries.begin(), m_entries.end(), text) != m_entries.end())
        return false;
    if (m_entries.size() >= RecordCap)
        m_entries.erase(m_entries.begin());
    m_entries.emplace_back(text);
    return true;
}

void QueryHistory::LoadQueryHistory(const std::string &directory)
{
    m_entries.clear();
    const std::optional<std::string> path = FindQueryHistoryFile(directory);
    if (!path)
        return;

    // Non-blocking, so that a FIFO put there in the meantime cannot stall the start.
    const FileDescriptor file = OpenForReading(*path);
    if (!file.IsOpen())
        throw CannotOpenFile(*path, errno);
    struct stat status;
    if (fstat(file.Get(), &status) != 0)
        throw CannotOpenFile(*path, errno);
    if (!S_ISREG(status.st_mode))
        return;
    // Others may read along, but a writer holding the file is waited for by no one.
    if (flock(file.Get(), LOCK_SH | LOCK_NB) != 0)
        throw CannotOpenFile(*path, errno);

    try {
        // Read in pieces of a size that stays in the processor's cache while it is split.
        constexpr std::size_t PieceSize = 64 * 1024;
        const auto piece = std::make_unique_for_overwrite<char[]>(PieceSize);
        HistorySplitter splitter;
        // A guess at the line count from the size spares a large history most of the list's
        // regrowth; a wrong guess only costs a regrowth more or some untouched capacity.
        splitter.Reserve(static_cast<std::size_t>(status.st_size) / 32);
        for (;;) {
            const ssize_t count = read(file.Get(), piece.get(), PieceSize);
            if (count < 0) {
                if (errno == EINTR)
                    continue;
                throw CannotOpenFile(*path, errno);
            }
            if (count == 0)
                break;
            splitter.Feed(piece.get(), static_cast<std::size_t>(count));
            if (splitter.Ended())
                break;
        }
        m_entries = splitter.Finish();
    } catch (const std::bad_alloc &) {
        m_entries.clear();
        throw CannotOpenFile(*path, ENOMEM);
    } catch (const std::length_error &) {
        m_entries.clear();
        throw CannotOpenFile(*path, ENOMEM);
    }
}

void QueryHistory::SaveQueryHistory(const std::string &directory) const
{
    ReplaceFileContent(directory + std::string(QueryHistoryFileName),
                       SerializeQueryHistory(m_entries));
}

std::optional<std::size_t> QueryHistory::FindCompletion(std::string_view typed) const
{
    if (typed.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (BeginsWith(m_entries[i], typed))
            return i;
    }
    return std::nullopt;
}

} // namespace tellaria
