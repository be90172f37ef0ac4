#include "core/QueryHistory.h"

#include "core/AsciiCase.h"
#include "core/AtomicFile.h"
#include "core/ByteSearch.h"
#include "core/CodePage.h"
#include "core/FileContent.h"
#include "core/FileError.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
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

// Cuts history bytes into lines: the content ends at a NUL; a line ends at CR LF, a lone CR or a
// lone LF; a last line without a break counts, an empty one after a break does not.
//
// 64 bytes at a time: a block's CR, LF and NUL masks give one bit per break (the LF of a CR LF, or
// a lone CR). The break positions are first written out four per block whatever the block holds,
// so that the scan has no branch that depends on how many lines a block ends (such branches,
// mispredicted at every other block, cost more than the scan itself); then the lines are made
// from the positions in a loop of known length. Nothing is allocated.
//
// The bytes may come in pieces, as a large file is read on another thread: each piece is split as
// it arrives, so that the split and the read overlap.
class LineSplitter
{
public:
    // Starts over on the bytes at `data`, none of which are known yet.
    void Restart(const char *data) { m_state = {.Data = data}; }
    // Makes the first `size` bytes known.
    void Extend(std::size_t size) { m_state.Size = size; }
    const char *Data() const { return m_state.Data; }

    // Emits the lines of every known block whose next byte is known too (that byte tells whether
    // a CR at the block's end is lone); with `last`, also those of the rest, and ends the content
    // there. Inlined into one caller per processor target, so that `find` is inlined too.
    template<typename Find, typename Emit>
    [[gnu::always_inline]] void Split(Find find, Emit &emit, bool last)
    {
        if (m_state.Ended)
            return;
        // The loop works on locals only: stores of positions could otherwise alias the state's
        // members and make the compiler reload them at every block.
        const char *const data = m_state.Data;
        const std::size_t size = m_state.Size;
        std::size_t lineStart = m_state.LineStart;
        std::size_t count = 0;
        std::size_t *const positions = m_positions;

        const auto flush = [&]() __attribute__((always_inline))
        {
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t at = positions[i];
                // An LF right after a CR of the same line ends that line at the CR.
                const std::size_t crBefore
                    = (data[at] == '\n') & (at > lineStart) & (data[at > 0 ? at - 1 : 0] == '\r');
                emit(std::string_view(data + lineStart, at - crBefore - lineStart));
                lineStart = at + 1;
            }
            count = 0;
        };
        const auto finish = [&](std::size_t contentEnd) __attribute__((always_inline))
        {
            flush();
            if (lineStart < contentEnd)
                emit(std::string_view(data + lineStart, contentEnd - lineStart));
            m_state.Ended = true;
        };
        // The block at `base`; false once the content has ended in it.
        const auto block
            = [&](const LineBreakMasks &masks, std::size_t base) __attribute__((always_inline))
        {
            // A CR ends a line by itself unless an LF follows, in this block or first in the next.
            std::uint64_t loneCr = masks.Cr & ~(masks.Lf >> 1);
            if (base + 64 < size && data[base + 64] == '\n')
                loneCr &= ~(std::uint64_t(1) << 63);
            std::uint64_t breaks = masks.Lf | loneCr;
            const bool ends = masks.Nul != 0;
            if (ends) // rare: the content ends in this block, and so do the breaks that count
                breaks &= (std::uint64_t(1) << std::countr_zero(masks.Nul)) - 1;

            const int found = std::popcount(breaks);
            std::size_t *const out = positions + count;
            for (int slot = 0; slot < 4; ++slot) {
                out[slot] = base + static_cast<std::size_t>(std::countr_zero(breaks));
                breaks &= breaks - 1;
            }
            for (int slot = 4; slot < found; ++slot) {
                out[slot] = base + static_cast<std::size_t>(std::countr_zero(breaks));
                breaks &= breaks - 1;
            }
            count += static_cast<std::size_t>(found);
            if (count > PositionCapacity - 64)
                flush();
            if (!ends)
                return true;
            finish(base + static_cast<std::size_t>(std::countr_zero(masks.Nul)));
            return false;
        };

        std::size_t base = m_state.Next;
        for (; base + 64 < size; base += 64) {
            if (!block(find(data + base), base))
                return;
        }
        if (last) {
            if (base < size) {
                const LineBreakMasks masks
                    = size - base == 64 ? find(data + base)
                                        : find(PaddedBlock(data + base, size - base).Bytes);
                if (!block(masks, base))
                    return;
            }
            finish(size);
            return;
        }
        flush();
        m_state.LineStart = lineStart;
        m_state.Next = base;
    }

private:
    struct State
    {
        const char *Data = nullptr;
        std::size_t Size = 0; // the bytes known
        std::size_t Next = 0; // where the first block not yet split begins
        std::size_t LineStart = 0;
        bool Ended = false;
    };
    static constexpr std::size_t PositionCapacity = 2048;
    State m_state;
    std::size_t m_positions[PositionCapacity];
};

template<typename Emit>
void SplitLinesSse2(LineSplitter &splitter, Emit &emit, bool last)
{
    splitter.Split([](const char *at) { return FindLineBreaks64(at); }, emit, last);
}

#if defined(TELLARIA_LINE_BREAKS_AVX2)
// The same, built for AVX2 so that the 32-byte scan is inlined into the loop.
template<typename Emit>
__attribute__((target("avx2,bmi,popcnt"))) void SplitLinesAvx2(LineSplitter &splitter,
                                                               Emit &emit,
                                                               bool last)
{
    splitter.Split(
        [](const char *at) __attribute__((target("avx2"))) { return FindLineBreaks64Avx2(at); },
        emit, last);
}
#endif

// Calls `emit` with each line the splitter's known bytes end; with `last`, with the rest too.
template<typename Emit>
void SplitLines(LineSplitter &splitter, Emit &&emit, bool last)
{
#if defined(TELLARIA_LINE_BREAKS_AVX2)
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi")
        && __builtin_cpu_supports("popcnt"))
        return SplitLinesAvx2(splitter, emit, last);
#endif
    SplitLinesSse2(splitter, emit, last);
}

// A history an editor saved in Unicode, as its byte-order mark tells, converted to the code page
// every entry is held in; the next save writes the code page like any other. Bytes that are not
// valid in the encoding their mark names are returned as they are, so neither way loses any.
FileBytes InCodePage(FileBytes bytes)
{
    const std::string_view view = bytes.View();
    std::optional<std::string> converted;
    if (view.starts_with("\xEF\xBB\xBF"))
        converted = AnsiFromUnicode(view.substr(3), UnicodeEncoding::Utf8);
    else if (view.starts_with("\xFF\xFE"))
        converted = AnsiFromUnicode(view.substr(2), UnicodeEncoding::Utf16LittleEndian);
    else if (view.starts_with("\xFE\xFF"))
        converted = AnsiFromUnicode(view.substr(2), UnicodeEncoding::Utf16BigEndian);
    if (!converted)
        return bytes;
    FileBytes result;
    result.Data = std::make_unique_for_overwrite<char[]>(converted->size());
    result.Size = converted->size();
    std::memcpy(result.Data.get(), converted->data(), converted->size());
    return result;
}

// The longest history that can be held: the machine's memory. A longer one fails before any of
// it is read.
std::size_t HoldableSize()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::numeric_limits<std::size_t>::max();
    const auto bytes
        = static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize);
    return static_cast<std::size_t>(
        std::min<unsigned long long>(bytes, std::numeric_limits<std::size_t>::max()));
}

// Each entry followed by CR LF.
template<typename Entries>
std::string Serialize(const Entries &entries)
{
    std::size_t size = 0;
    for (const auto &entry : entries)
        size += entry.size() + 2;
    std::string content;
    content.reserve(size);
    for (const auto &entry : entries) {
        content += entry;
        content += "\r\n";
    }
    return content;
}

} // namespace

std::vector<std::string> ParseQueryHistory(std::string_view bytes)
{
    std::vector<std::string> entries;
    LineSplitter splitter;
    splitter.Restart(bytes.data());
    splitter.Extend(bytes.size());
    SplitLines(
        splitter, [&](std::string_view line) { entries.emplace_back(line); }, true);
    return entries;
}

std::string SerializeQueryHistory(const std::vector<std::string> &entries)
{
    return Serialize(entries);
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

QueryHistory::QueryHistory(const QueryHistory &other)
    : m_loadFailed(other.m_loadFailed)
{
    SetEntries(other.Entries());
}

QueryHistory &QueryHistory::operator=(const QueryHistory &other)
{
    if (this != &other) {
        SetEntries(other.Entries());
        m_loadFailed = other.m_loadFailed;
    }
    return *this;
}

std::vector<std::string> QueryHistory::Entries() const
{
    return {m_spans.begin(), m_spans.end()};
}

void QueryHistory::SetEntries(const std::vector<std::string> &entries)
{
    Clear();
    m_spans.reserve(entries.size());
    for (const std::string &entry : entries)
        m_spans.push_back(m_recorded.emplace_back(entry));
}

void QueryHistory::Clear()
{
    m_spans.clear();
    m_loaded.reset();
    m_recorded.clear();
}

bool QueryHistory::RecordQuery(std::string_view text)
{
    if (std::find(m_spans.begin(), m_spans.end(), text) != m_spans.end())
        return false;
    if (m_spans.size() >= RecordCap)
        m_spans.erase(m_spans.begin());
    m_spans.push_back(m_recorded.emplace_back(text));
    // Texts that dropped out of the list are kept until the storage is mostly dead weight;
    // then the list moves into fresh storage, so a long session does not grow without bound.
    if (m_recorded.size() > 2 * m_spans.size() + 16)
        SetEntries(Entries());
    return true;
}

void QueryHistory::LoadQueryHistory(const std::string &directory)
{
    Clear();
    m_loadFailed = false;
    const std::optional<std::string> path = FindQueryHistoryFile(directory);
    if (!path)
        return;

    // Each piece is split as soon as it is read. Bytes at a new place (moved as the file grew
    // while read, or converted from Unicode) are split again from their start: the old bytes are
    // still held when the new ones are made, so a new place is never the old address.
    LineSplitter splitter;
    const auto addLine = [this](std::string_view line) { m_spans.push_back(line); };
    const auto split = [&](std::string_view bytes, bool last) {
        if (bytes.data() != splitter.Data()) {
            m_spans.clear();
            splitter.Restart(bytes.data());
        }
        splitter.Extend(bytes.size());
        SplitLines(splitter, addLine, last);
    };
    const auto splitPiece = [&](std::string_view readSoFar, std::size_t fileSize) {
        // A guess at the line count from the size spares a large history most of the list's
        // regrowth; a wrong guess only costs a regrowth more or some untouched capacity.
        if (m_spans.capacity() == 0)
            m_spans.reserve(fileSize / 32);
        split(readSoFar, false);
    };
    try {
        // Others may read along, but a writer holding the file is waited for by no one.
        FileRead file = ReadWholeFile(*path, HoldableSize(), ReadLock::Shared, splitPiece);
        if (file.Error != 0) {
            Clear();
            m_loadFailed = true;
            throw CannotOpenFile(*path, file.Error);
        }
        FileBytes bytes = InCodePage(std::move(file.Bytes));
        split(bytes.View(), true);
        m_loaded = std::move(bytes.Data);
    } catch (const std::bad_alloc &) {
        Clear();
        m_loadFailed = true;
        throw CannotOpenFile(*path, ENOMEM);
    } catch (const std::length_error &) {
        Clear();
        m_loadFailed = true;
        throw CannotOpenFile(*path, ENOMEM);
    }
}

void QueryHistory::SaveQueryHistory(const std::string &directory) const
{
    if (m_loadFailed)
        return;
    ReplaceFileContent(directory + std::string(QueryHistoryFileName), Serialize(m_spans));
}

std::optional<std::size_t> QueryHistory::FindCompletion(std::string_view typed) const
{
    if (typed.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        if (BeginsWith(m_spans[i], typed))
            return i;
    }
    return std::nullopt;
}

} // namespace tellaria
