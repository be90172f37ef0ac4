// The history file: whatever bytes it holds load without harm; the entries agree with a plain
// reading of the line rules, over the Unicode text a byte-order mark announces when the rest is
// valid in that encoding; and nothing the load read is lost by recording UTF-8 terms and saving.
// A load that fails (a writer holding the file) leaves the file exactly as it was through the
// next save.
//
// Inputs whose length leaves 4 divided by 5 are loaded while a writer holds the file.

#include "FuzzSupport.h"
#include "core/CodePage.h"
#include "core/QueryHistory.h"
#include "core/TermText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <unistd.h>

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
    std::string line;
    bool space = false; // a control byte since the line's last character
    const auto endLine = [&] {
        written += line + "\r\n";
        line.clear();
        space = false;
    };
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == '\r' || byte == '\n') {
            if (byte == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
                ++at;
            endLine();
        } else if (byte < 0x20 || byte == 0x7F) {
            // Control bytes within a line: a space between characters, nothing at its ends.
            space = !line.empty();
        } else {
            if (space)
                line += ' ';
            space = false;
            line += static_cast<char>(byte);
        }
    }
    const std::string_view last = bytes.substr(bytes.find_last_of("\r\n") + 1);
    if (!last.empty())
        endLine();
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

void AppendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 validity by the standard's table: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char lead = byte(at);
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            const unsigned char c = byte(at + i);
            if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF))
                return false;
        }
        at += length;
    }
    return true;
}

// The text after a byte-order mark as UTF-8, decoded here by hand; nothing when the bytes begin
// with no mark or the rest is not valid in the encoding it names.
std::optional<std::string> UnicodeText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        const std::string_view rest = bytes.substr(3);
        if (!IsValidUtf8(rest))
            return std::nullopt;
        return std::string(rest);
    }
    const bool little = bytes.starts_with("\xFF\xFE");
    if (!little && !bytes.starts_with("\xFE\xFF"))
        return std::nullopt;
    const std::string_view rest = bytes.substr(2);
    if (rest.size() % 2 != 0)
        return std::nullopt;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(rest[2 * i]);
        const auto second = static_cast<unsigned char>(rest[2 * i + 1]);
        return little ? first | (second << 8) : (first << 8) | second;
    };
    std::string text;
    const std::size_t units = rest.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF)
            return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return std::nullopt;
            AppendUtf8(text, 0x10000 + ((c - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(text, c);
        }
    }
    return text;
}

// Whether `text` (UTF-8) holds a private-use character: a few of those have no bytes of their own
// in the code page, so such a file may be kept as it is rather than converted.
bool HoldsPrivateUse(std::string_view text)
{
    // U+E000 to U+F8FF are EE 80 80 to EF A3 BF.
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (lead == 0xEE || (lead == 0xEF && next <= 0xA3))
            return true;
    }
    return false;
}

// The entries a load must give for `bytes`, with a check that they are what was loaded.
void CheckLoaded(std::string_view bytes, const std::vector<std::string> &loaded)
{
    const std::optional<std::string> unicode = UnicodeText(bytes);
    if (!unicode) {
        FUZZ_CHECK(loaded == ParseQueryHistory(bytes));
        return;
    }
    // The text is read whole: each entry holds the same characters as the line of the text.
    const std::vector<std::string> lines = ParseQueryHistory(*unicode);
    if (HoldsPrivateUse(*unicode) && loaded == ParseQueryHistory(bytes))
        return;
    FUZZ_CHECK(loaded.size() == lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        FUZZ_CHECK(Utf8(loaded[i]) == lines[i]);
}

Status LoadError(QueryHistory &history, const std::string &directory)
{
    return history.LoadQueryHistory(directory);
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

    const std::string storedPath = directory + FileNameFor(bytes);
    PutFile(storedPath, bytes);
    QueryHistory loaded;

    if (size % 5 == 4) {
        // Another process writing the file: the load fails, and the save that follows a record
        // leaves the file as it was.
        const int writer = open(storedPath.c_str(), O_RDONLY | O_CLOEXEC);
        FUZZ_CHECK(writer >= 0 && flock(writer, LOCK_EX) == 0);
        FUZZ_CHECK(LoadError(loaded, directory) == Status::CannotOpenFile(storedPath, EAGAIN));
        close(writer);
        FUZZ_CHECK(loaded.LoadFailed() && loaded.Count() == 0);
        loaded.RecordQuery("new");
        FUZZ_CHECK(loaded.SaveQueryHistory(directory).Ok());
        FUZZ_CHECK(GetFile(storedPath) == bytes);
        FUZZ_CHECK(storedPath == exactPath || access(exactPath.c_str(), F_OK) != 0);
        std::remove(storedPath.c_str());
        return 0;
    }

    // Loading the file reads what the line rules read.
    FUZZ_CHECK(LoadError(loaded, directory).Ok() && !loaded.LoadFailed());
    CheckLoaded(bytes, loaded.Entries());
    // No entry holds a control byte, whatever the file held.
    for (const std::string &entry : loaded.Entries()) {
        for (const char byte : entry)
            FUZZ_CHECK(static_cast<unsigned char>(byte) >= 0x20 && byte != 0x7F);
    }
    std::remove(storedPath.c_str());

    // Recording UTF-8 terms, some of them the list's own entries as shown, follows the rules a
    // plain list of the terms' code-page bytes follows: no duplicates, and at most 11 entries
    // after a change. The list then survives a move and a copy.
    std::vector<std::string> model = loaded.Entries();
    for (std::size_t i = 0; i < model.size(); ++i)
        FUZZ_CHECK(loaded.EntryText(i) == Utf8(model[i]));
    const auto record = [&](const std::string &utf8) {
        const std::string held = AnsiFromUtf8(OneLineTerm(utf8));
        const bool added = std::find(model.begin(), model.end(), held) == model.end();
        if (added) {
            if (model.size() >= 11)
                model.erase(model.begin());
            model.push_back(held);
        }
        FUZZ_CHECK(loaded.RecordQuery(utf8) == added);
        FUZZ_CHECK(loaded.Entries() == model);
    };
    if (loaded.Count() > 0) {
        record(loaded.EntryText(0));
        record(loaded.EntryText(loaded.Count() - 1));
    }
    record("\x01new\x02");
    record(std::string(bytes.substr(0, bytes.find_first_of(std::string_view("\r\n\0", 3)))));
    record(loaded.EntryText(0));
    QueryHistory moved = std::move(loaded);
    FUZZ_CHECK(moved.Entries() == model);
    QueryHistory copied;
    copied = moved;
    moved = QueryHistory();
    FUZZ_CHECK(copied.Entries() == model);

    // Every entry that its text gives back completes to itself or to an earlier entry.
    for (std::size_t i = 0; i < model.size(); ++i) {
        const std::string text = copied.EntryText(i);
        if (AnsiFromUtf8(text) != model[i])
            continue;
        const std::optional<std::size_t> found = copied.FindCompletion(text);
        FUZZ_CHECK(found.has_value() == !model[i].empty());
        FUZZ_CHECK(!found || *found <= i);
    }

    // Saved, the file holds every entry of the list, and loads back to it. Only a list whose
    // first entry begins with a byte-order mark, followed by valid text in its encoding, reads
    // back converted, as any file beginning so does.
    FUZZ_CHECK(copied.SaveQueryHistory(directory).Ok());
    const std::string saved = GetFile(exactPath);
    FUZZ_CHECK(saved == SerializeQueryHistory(model));
    QueryHistory reloaded;
    FUZZ_CHECK(LoadError(reloaded, directory).Ok());
    if (!UnicodeText(saved))
        FUZZ_CHECK(reloaded.Entries() == model);
    std::remove(exactPath.c_str());
    return 0;
}
