#include "core/ProfileFile.h"

#include "core/AsciiCase.h"
#include "core/AtomicFile.h"
#include "core/FileContent.h"
#include "core/TextTrim.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace tellaria {

namespace {

// Blanks trimmed around names and values in the file.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimBlanks(std::string_view text)
{
    return TrimmedBy(text, IsBlank);
}

// Of the caller's names only spaces are trimmed.
std::string_view TrimSpaces(std::string_view text)
{
    return TrimmedBy(text, [](char c) { return c == ' '; });
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The first of `a`, `b` and `c` in [at, end); `end` when there is none.
const char *FindFirstOf(const char *at, const char *end, char a, char b, char c)
{
    return std::find_if(at, end, [=](char byte) { return byte == a || byte == b || byte == c; });
}

// The first `byte` in [at, end); `end` when there is none.
const char *FindByte(const char *at, const char *end, char byte)
{
    const void *found = std::memchr(at, byte, static_cast<std::size_t>(end - at));
    return found ? static_cast<const char *>(found) : end;
}

// One line: its text [Begin, End) and the position after its line break (Next == End for a last
// line without one).
struct Line
{
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::size_t Next = 0;
};

Line LineAt(std::string_view content, std::size_t begin)
{
    const char *const start = content.data();
    const char *const end = start + content.size();
    const char *const lineEnd = FindFirstOf(start + begin, end, '\r', '\n', '\n');
    // CR LF is one break.
    const char *next = lineEnd;
    if (next < end)
        next += *next == '\r' && next + 1 < end && next[1] == '\n' ? 2 : 1;
    return {begin, static_cast<std::size_t>(lineEnd - start),
            static_cast<std::size_t>(next - start)};
}

enum class LineKind { Other, Header, Comment, Key };

struct ParsedLine
{
    LineKind Kind = LineKind::Other;
    std::string_view Name; // section or key name, trimmed
    std::string_view Value; // key value, trimmed, quotes kept
};

ParsedLine ParseLine(std::string_view text)
{
    ParsedLine parsed;
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start == text.size())
        return parsed;
    if (text[start] == '[') {
        // The name ends at the first "]", or at the line's end when there is none.
        std::string_view name = text.substr(start + 1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos)
            name = name.substr(0, close);
        parsed.Kind = LineKind::Header;
        parsed.Name = TrimBlanks(name);
        return parsed;
    }
    if (text[start] == ';') {
        parsed.Kind = LineKind::Comment;
        return parsed;
    }
    const std::size_t equals = text.find('=', start);
    if (equals == std::string_view::npos)
        return parsed;
    parsed.Kind = LineKind::Key;
    parsed.Name = TrimBlanks(text.substr(start, equals - start));
    parsed.Value = TrimBlanks(text.substr(equals + 1));
    return parsed;
}

// Whether the byte at `at` is the first non-blank byte of its line.
inline bool StartsLine(std::string_view content, std::size_t at)
{
    while (at > 0 && IsBlank(content[at - 1]))
        --at;
    return at == 0 || content[at - 1] == '\r' || content[at - 1] == '\n';
}

// The "[" of the first header line at or after `from`, or content.size(). Headers are found by
// jumping from "[" to "[" rather than by walking every line: they are few, and this keeps a read
// of a large file close to the cost of reading it.
std::size_t NextHeader(std::string_view content, std::size_t from)
{
    while (from < content.size()) {
        const void *found = std::memchr(content.data() + from, '[', content.size() - from);
        if (!found)
            break;
        const std::size_t bracket
            = static_cast<std::size_t>(static_cast<const char *>(found) - content.data());
        if (StartsLine(content, bracket))
            return bracket;
        from = bracket + 1;
    }
    return content.size();
}

// The body of the first section named `section`: from the line after its header to the "[" of
// the next header. Nothing when there is no such section.
std::optional<std::pair<std::size_t, std::size_t>> FindSectionBody(std::string_view content,
                                                                   std::string_view section)
{
    const char *const start = content.data();
    const char *const end = start + content.size();
    for (std::size_t bracket = NextHeader(content, 0); bracket < content.size();) {
        const char *name = start + bracket + 1;
        while (name < end && IsBlank(*name))
            ++name;
        // Most headers differ from the one sought in their first letter; only the others are
        // read to their end.
        if (!section.empty() && (name == end || AsciiLower(*name) != AsciiLower(section.front()))) {
            bracket = NextHeader(content, static_cast<std::size_t>(name - start));
            continue;
        }
        // The name ends at the first "]", or at the line's end when there is none.
        const char *const nameEnd = FindFirstOf(name, end, ']', '\r', '\n');
        if (EqualIgnoringAsciiCase(
                TrimBlanks(std::string_view(name, static_cast<std::size_t>(nameEnd - name))),
                section)) {
            const std::size_t nameEndAt = static_cast<std::size_t>(nameEnd - start);
            const std::size_t body = LineAt(content, nameEndAt).Next;
            return std::pair(body, NextHeader(content, body));
        }
        // Any "[" after the name on the same line does not start the line, so skipping only
        // the name is enough.
        bracket = NextHeader(content, static_cast<std::size_t>(nameEnd - start));
    }
    return std::nullopt;
}

// Whether a key line can be found by searching for the key's first letter: the key's first byte
// starts no comment or header, and no byte of it would end the name early or be trimmed away.
bool IsPlainKey(std::string_view key)
{
    if (key.empty() || key.front() == ';' || key.front() == '[' || IsBlank(key.front())
        || IsBlank(key.back()))
        return false;
    return key.find_first_of("=\r\n") == std::string_view::npos;
}

// The trimmed value of the first line in [begin, end) that holds `key`; nothing when none does.
std::optional<std::string_view> FindKeyValue(std::string_view content,
                                             std::size_t begin,
                                             std::size_t end,
                                             std::string_view key)
{
    const char *const start = content.data();
    if (!IsPlainKey(key)) {
        for (std::size_t at = begin; at < end;) {
            const Line line = LineAt(content, at);
            const ParsedLine parsed = ParseLine(content.substr(line.Begin, line.End - line.Begin));
            if (parsed.Kind == LineKind::Key && EqualIgnoringAsciiCase(parsed.Name, key))
                return parsed.Value;
            at = line.Next;
        }
        return std::nullopt;
    }

    // Every line holding the key begins, after blanks, with the key's first letter in either
    // case; searching for that letter with memchr skips all other lines at memory speed. Each
    // case has a cursor of its own, moved on only once the search has passed it.
    const char lower = AsciiLower(key.front());
    const char upper = AsciiUpper(key.front());
    const char *const sectionEnd = start + end;
    const char *nextLower = FindByte(start + begin, sectionEnd, lower);
    const char *nextUpper = FindByte(start + begin, sectionEnd, upper);
    while (nextLower < sectionEnd || nextUpper < sectionEnd) {
        const char *const found = std::min(nextLower, nextUpper);
        if (found == nextLower)
            nextLower = FindByte(found + 1, sectionEnd, lower);
        if (found == nextUpper)
            nextUpper = FindByte(found + 1, sectionEnd, upper);
        const std::size_t candidate = static_cast<std::size_t>(found - start);
        if (!StartsLine(content, candidate) || end - candidate < key.size()
            || !EqualIgnoringAsciiCase(content.substr(candidate, key.size()), key))
            continue;
        std::size_t equals = candidate + key.size();
        while (equals < end && IsBlank(content[equals]))
            ++equals;
        if (equals < end && content[equals] == '=') {
            const Line line = LineAt(content, equals + 1);
            return TrimBlanks(content.substr(line.Begin, line.End - line.Begin));
        }
    }
    return std::nullopt;
}

} // namespace

std::string ProfileLookup(std::string_view content,
                          std::string_view section,
                          std::string_view key,
                          std::string_view defaultValue)
{
    const auto cut = [](std::string_view value) {
        return std::string(value.substr(0, ProfileValueBufferSize - 1));
    };
    const auto body = FindSectionBody(content, TrimSpaces(section));
    if (!body)
        return cut(defaultValue);
    const auto value = FindKeyValue(content, body->first, body->second, TrimSpaces(key));
    return cut(value ? Unquote(*value) : defaultValue);
}

std::string ProfileReplace(std::string_view content,
                           std::string_view section,
                           std::string_view key,
                           std::string_view value)
{
    section = TrimSpaces(section);
    key = TrimSpaces(key);

    bool inSection = false;
    bool sectionFound = false;
    Line insertAfter; // the header, then the section's last key line
    for (std::size_t at = 0; at < content.size();) {
        const Line line = LineAt(content, at);
        const ParsedLine parsed = ParseLine(content.substr(line.Begin, line.End - line.Begin));
        if (parsed.Kind == LineKind::Header) {
            if (inSection)
                break;
            if (!sectionFound && EqualIgnoringAsciiCase(parsed.Name, section)) {
                sectionFound = inSection = true;
                insertAfter = line;
            }
        } else if (inSection && parsed.Kind == LineKind::Key) {
            if (EqualIgnoringAsciiCase(parsed.Name, key)) {
                // Only this line changes; the key keeps the spelling it has in the file.
                std::string result;
                result.reserve(content.size() + value.size() + 2);
                result.append(content.substr(0, line.Begin));
                result.append(parsed.Name);
                result += '=';
                result.append(value);
                if (line.Next == line.End)
                    result.append("\r\n");
                else
                    result.append(content.substr(line.End, line.Next - line.End));
                result.append(content.substr(line.Next));
                return result;
            }
            insertAfter = line;
        }
        at = line.Next;
    }

    std::string result;
    result.reserve(content.size() + section.size() + key.size() + value.size() + 10);
    if (sectionFound) {
        result.append(content.substr(0, insertAfter.Next));
        if (insertAfter.Next == insertAfter.End)
            result.append("\r\n");
        result.append(key);
        result += '=';
        result.append(value);
        result.append("\r\n");
        result.append(content.substr(insertAfter.Next));
        return result;
    }
    result.append(content);
    if (!content.empty() && content.back() != '\n' && content.back() != '\r')
        result.append("\r\n");
    result += '[';
    result.append(section);
    result.append("]\r\n");
    result.append(key);
    result += '=';
    result.append(value);
    result.append("\r\n");
    return result;
}

std::string ProfileRemoveSection(std::string_view content, std::string_view section)
{
    section = TrimSpaces(section);
    std::optional<std::size_t> begin;
    for (std::size_t at = 0; at < content.size();) {
        const Line line = LineAt(content, at);
        const ParsedLine parsed = ParseLine(content.substr(line.Begin, line.End - line.Begin));
        if (parsed.Kind == LineKind::Header) {
            if (begin)
                return std::string(content.substr(0, *begin))
                       + std::string(content.substr(line.Begin));
            if (EqualIgnoringAsciiCase(parsed.Name, section))
                begin = line.Begin;
        }
        at = line.Next;
    }
    return std::string(begin ? content.substr(0, *begin) : content);
}

std::string GetPrivateProfileString(std::string_view section,
                                    std::string_view key,
                                    std::string_view defaultValue,
                                    const std::string &path)
{
    const FileRead file = ReadWholeFile(path, ProfileFileSizeLimit, ReadLock::None);
    return ProfileLookup(file.Bytes.View(), section, key, defaultValue);
}

// A line break in a name or value would end its line and start another key or section there.
static bool BreaksLines(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

Status WritePrivateProfileString(std::string_view section,
                                 std::string_view key,
                                 std::string_view value,
                                 const std::string &path)
{
    if (BreaksLines(section) || BreaksLines(key) || BreaksLines(value))
        return Status::CannotCreateFile(path, EINVAL);
    // A file that is there but cannot be read whole must not be replaced by one holding only
    // this value.
    const FileRead file = ReadWholeFile(path, ProfileFileSizeLimit, ReadLock::None);
    if (file.Error != 0 && file.Error != ENOENT)
        return Status::CannotCreateFile(path, file.Error);
    return ReplaceFileContent(path, ProfileReplace(file.Bytes.View(), section, key, value));
}

Status WritePrivateProfileSection(std::string_view section,
                                  const std::vector<std::pair<std::string, std::string>> &keys,
                                  const std::string &path)
{
    for (const auto &[key, value] : keys) {
        if (BreaksLines(section) || BreaksLines(key) || BreaksLines(value))
            return Status::CannotCreateFile(path, EINVAL);
    }
    const FileRead file = ReadWholeFile(path, ProfileFileSizeLimit, ReadLock::None);
    if (file.Error != 0 && file.Error != ENOENT)
        return Status::CannotCreateFile(path, file.Error);
    std::string content = ProfileRemoveSection(file.Bytes.View(), section);
    for (const auto &[key, value] : keys)
        content = ProfileReplace(content, section, key, value);
    return ReplaceFileContent(path, content);
}

} // namespace tellaria
