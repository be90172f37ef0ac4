// The history file: whatever bytes it holds load without harm, the entries agree with a plain
// reading of the line rules, and entries saved are the entries loaded.

#include "FuzzSupport.h"
#include "core/QueryHistory.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

using namespace tellaria;
using tellaria::fuzz::GetFile;
using tellaria::fuzz::PutFile;
using tellaria::fuzz::ScratchDirectory;

namespace {

// The file as it reads, in the form the program writes: cut at the first NUL, every kind of line
// break turned into CR LF, and a break added after an unterminated last line.
std::string AsWritten(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    std::string written;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] == '\r' || bytes[at] == '\n') {
            if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
                ++at;
            written += "\r\n";
        } else {
            written += bytes[at];
        }
    }
    if (!written.empty() && !written.ends_with("\r\n"))
        written += "\r\n";
    return written;
}

// Some inputs are stored under another letter case, so the search for the file is fuzzed too.
std::string FileNameFor(std::string_view bytes)
{
    switch (bytes.size() % 3) {
    case 1:
        return "lexivander.QRY";
    case 2:
        return "LEXIVANDER.qry";
    default:
        return std::string(QueryHistoryFileName);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::string &directory = ScratchDirectory();
    const std::string exactPath = directory + std::string(QueryHistoryFileName);

    const std::vector<std::string> entries = ParseQueryHistory(bytes);
    for (const std::string &entry : entries)
        FUZZ_CHECK(entry.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    FUZZ_CHECK(SerializeQueryHistory(entries) == AsWritten(bytes));
    FUZZ_CHECK(ParseQueryHistory(SerializeQueryHistory(entries)) == entries);

    // Loading the file reads what parsing the bytes reads.
    const std::string storedPath = directory + FileNameFor(bytes);
    PutFile(storedPath, bytes);
    QueryHistory loaded;
    loaded.LoadQueryHistory(directory);
    FUZZ_CHECK(loaded.Entries() == entries);
    std::remove(storedPath.c_str());

    // Saved and loaded again, the entries come back unchanged.
    QueryHistory saved;
    saved.SetEntries(entries);
    saved.SaveQueryHistory(directory);
    FUZZ_CHECK(GetFile(exactPath) == SerializeQueryHistory(entries));
    QueryHistory reloaded;
    reloaded.LoadQueryHistory(directory);
    FUZZ_CHECK(reloaded.Entries() == entries);
    std::remove(exactPath.c_str());

    // Every entry completes to itself or to an earlier entry.
    for (std::size_t i = 0; i < entries.size() && i < 16; ++i) {
        const std::optional<std::size_t> found = saved.FindCompletion(entries[i]);
        FUZZ_CHECK(found.has_value() == !entries[i].empty());
        FUZZ_CHECK(!found || *found <= i);
    }

    // Recording into a loaded list, with texts that point into the list itself, follows the
    // rules a plain list of strings follows: no duplicates, and at most 11 entries after a
    // change. The loaded list then survives a move and a copy.
    std::vector<std::string> model = entries;
    const auto record = [&](std::string_view text) {
        const std::string copy(text);
        const bool added = std::find(model.begin(), model.end(), copy) == model.end();
        if (added) {
            if (model.size() >= 11)
                model.erase(model.begin());
            model.push_back(copy);
        }
        FUZZ_CHECK(reloaded.RecordQuery(text) == added);
        FUZZ_CHECK(reloaded.Entries() == model);
    };
    if (reloaded.Count() > 0) {
        record(reloaded.Entry(0));
        record(reloaded.Entry(reloaded.Count() - 1));
    }
    record("\x01new\x02");
    record(bytes.substr(0, bytes.find_first_of(std::string_view("\r\n\0", 3))));
    record(reloaded.Entry(0));
    QueryHistory moved = std::move(reloaded);
    FUZZ_CHECK(moved.Entries() == model);
    QueryHistory copied;
    copied = moved;
    moved = QueryHistory();
    FUZZ_CHECK(copied.Entries() == model);
    return 0;
}
