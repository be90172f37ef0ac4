// The settings file: any content reads without harm, and WriteIntValue changes only the one key
// line (or adds it), keeping every other line byte for byte, after which ReadIntValue returns the
// value written, under any letter case of the names, and every other entry the file held reads
// as before.
//
// Input layout: 4 bytes of value (little-endian), 1 byte of name lengths (section in the high
// nibble, key in the low one), the section name, the key name, then the file's content.

#include "FuzzSupport.h"
#include "core/AsciiCase.h"
#include "core/ProfileFile.h"
#include "core/SettingsFile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

using namespace tellaria;
using tellaria::fuzz::GetFile;
using tellaria::fuzz::PutFile;
using tellaria::fuzz::ScratchDirectory;

namespace {

struct Line
{
    std::string_view Text;
    std::string_view Break; // "\r\n", "\r", "\n", or empty for an unterminated last line
};

// CR LF, CR and LF each end a line, as in the profile files.
std::vector<Line> SplitLines(std::string_view content)
{
    std::vector<Line> lines;
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            lines.push_back({content.substr(at), {}});
            break;
        }
        const std::size_t next = content.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        lines.push_back({content.substr(at, end - at), content.substr(end, next - end)});
        at = next;
    }
    return lines;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

std::string SwapCase(std::string_view name)
{
    std::string swapped(name);
    for (char &c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return swapped;
}

// Names a file line can hold unchanged: no line break, no blank at either end that reading would
// trim, no "]" ending a section name early, no "=" ending a key early, no key read as a comment
// or a header.
bool IsWritableName(std::string_view name, bool isKey)
{
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return false;
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back())))
        return false;
    if (!isKey)
        return name.find(']') == std::string_view::npos;
    return name.find('=') == std::string_view::npos
           && (name.empty() || (name.front() != ';' && name.front() != '['));
}

// `after` is `before` with one key line changed or added, or with the section and its key line
// appended, or unchanged when the key line already read so; every other line keeps its text and its
// break, but for an unterminated last line gaining CR LF.
void CheckOnlyTheKeyLineChanged(std::string_view before,
                                std::string_view after,
                                std::string_view section,
                                std::string_view key,
                                const std::string &value)
{
    const std::vector<Line> old = SplitLines(before);
    const std::vector<Line> now = SplitLines(after);
    const std::size_t shorter = std::min(old.size(), now.size());
    std::size_t prefix = 0;
    while (prefix < shorter && old[prefix].Text == now[prefix].Text)
        ++prefix;
    std::size_t suffix = 0;
    while (prefix + suffix < shorter
           && old[old.size() - 1 - suffix].Text == now[now.size() - 1 - suffix].Text)
        ++suffix;

    // An unterminated last line gains CR LF when the key line is it or follows it.
    const auto keptBreak = [&](std::size_t oldIndex, std::string_view newBreak) {
        const bool lastUnterminated = oldIndex + 1 == old.size() && old[oldIndex].Break.empty();
        return newBreak == old[oldIndex].Break || (lastUnterminated && newBreak == "\r\n");
    };
    for (std::size_t i = 0; i < prefix; ++i)
        FUZZ_CHECK(keptBreak(i, now[i].Break));
    for (std::size_t i = 1; i <= suffix; ++i)
        FUZZ_CHECK(old[old.size() - i].Break == now[now.size() - i].Break);

    const std::size_t oldChanged = old.size() - prefix - suffix;
    const std::size_t newChanged = now.size() - prefix - suffix;
    const std::string assignment = "=" + value;
    if (oldChanged == 0 && newChanged == 0) {
        // The key line held the same value, written the same way; the read that follows shows
        // that the key is there.
    } else if (oldChanged == 1 && newChanged == 1) {
        // The key's line, keeping the key's spelling from the file.
        const std::string_view text = now[prefix].Text;
        FUZZ_CHECK(text.ends_with(assignment));
        FUZZ_CHECK(EqualIgnoringAsciiCase(text.substr(0, text.size() - assignment.size()), key));
        const std::string_view oldBreak = old[prefix].Break;
        FUZZ_CHECK(now[prefix].Break == (oldBreak.empty() ? std::string_view("\r\n") : oldBreak));
    } else if (oldChanged == 0 && newChanged == 1) {
        FUZZ_CHECK(now[prefix].Text == std::string(key) + assignment);
        FUZZ_CHECK(now[prefix].Break == "\r\n");
    } else {
        FUZZ_CHECK(oldChanged == 0 && newChanged == 2 && suffix == 0);
        FUZZ_CHECK(now[prefix].Text == "[" + std::string(section) + "]");
        FUZZ_CHECK(now[prefix + 1].Text == std::string(key) + assignment);
        FUZZ_CHECK(now[prefix].Break == "\r\n" && now[prefix + 1].Break == "\r\n");
    }
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

struct Entry
{
    std::string Section;
    std::string Key;
};

// The section and key names of the content, read plainly: a line beginning with "[" names a
// section up to "]", a line holding "=" names a key before it. Pairs the profile reader does not
// take (comments, keys before any section) read as the default before a write and after it alike.
std::vector<Entry> NamedEntries(std::string_view content)
{
    std::vector<Entry> entries;
    std::string section;
    for (const Line &line : SplitLines(content)) {
        const std::string_view text = TrimBlanks(line.Text);
        if (text.starts_with('[')) {
            section = std::string(text.substr(1, text.find(']') - 1));
        } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
            entries.push_back({section, std::string(TrimBlanks(text.substr(0, equals)))});
            if (entries.size() == 64)
                break;
        }
    }
    return entries;
}

bool SameName(std::string_view a, std::string_view b)
{
    return EqualIgnoringAsciiCase(TrimBlanks(a), TrimBlanks(b));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto take = [&](std::size_t count) {
        const std::string_view taken = input.substr(0, count);
        input.remove_prefix(taken.size());
        return taken;
    };
    std::uint32_t bits = 0;
    const std::string_view valueBytes = take(4);
    for (std::size_t i = 0; i < valueBytes.size(); ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(valueBytes[i])) << (8 * i);
    const std::int32_t value = static_cast<std::int32_t>(bits);
    const std::string_view lengths = take(1);
    const unsigned lengthBits = lengths.empty() ? 0 : static_cast<unsigned char>(lengths[0]);
    const std::string section(take(lengthBits >> 4));
    const std::string key(take(lengthBits & 0xF));
    const std::string_view content = input;

    const std::string text = std::to_string(value);
    FUZZ_CHECK(ParseProfileInt(text) == value);

    const std::string path = ScratchDirectory() + std::string(SettingsFileName);
    PutFile(path, content);
    SettingsFile settings(path);
    // Whatever the file holds, a read is harmless; the default must differ from what is written.
    const std::int32_t otherValue = static_cast<std::int32_t>(bits ^ 1u);
    settings.ReadIntValue(section, key, otherValue);
    const std::vector<Entry> entries = NamedEntries(content);
    const char *const missing = "\x01missing";
    std::vector<std::string> before;
    for (const Entry &entry : entries)
        before.push_back(GetPrivateProfileString(entry.Section, entry.Key, missing, path));
    // A name holding a line break would write a line of its own: such a write is refused and
    // changes nothing.
    const auto breaks = [](std::string_view name) {
        return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
    };
    const bool written = settings.WriteIntValue(section, key, value).Ok();
    FUZZ_CHECK(written == !(breaks(section) || breaks(key)));
    if (!written) {
        FUZZ_CHECK(GetFile(path) == content);
        return 0;
    }

    if (IsWritableName(section, false) && IsWritableName(key, true)) {
        CheckOnlyTheKeyLineChanged(content, GetFile(path), section, key, text);
        FUZZ_CHECK(settings.ReadIntValue(section, key, otherValue) == value);
        FUZZ_CHECK(settings.ReadIntValue(SwapCase(section), SwapCase(key), otherValue) == value);
        // No entry the file held before is lost or changed but the one written.
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (SameName(entries[i].Section, section) && SameName(entries[i].Key, key))
                continue;
            FUZZ_CHECK(GetPrivateProfileString(entries[i].Section, entries[i].Key, missing, path)
                       == before[i]);
        }
    }
    std::remove(path.c_str());
    return 0;
}
