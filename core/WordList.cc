#include "core/WordList.h"

#include "core/AsciiCase.h"
#include "core/TermText.h"
#include "core/TextTrim.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace tellaria {

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t &y, unsigned &m, unsigned &d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
}

// The latest time written: the end of year 9999, so that a time always has four year digits.
constexpr std::int64_t LatestTime = 253402300799;

bool NeedsQuotes(std::string_view field, char separator)
{
    return field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string_view::npos
           || field.starts_with('#');
}

void AppendField(std::string &out, std::string_view field, char separator)
{
    if (!NeedsQuotes(field, separator)) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string ModeName(int mode)
{
    return mode < 0 ? std::string() : std::to_string(mode);
}

std::string WriteWords(const std::vector<WordEntry> &entries,
                       char separator,
                       std::string_view lineEnd,
                       std::string_view header)
{
    std::string out(header);
    for (const WordEntry &entry : entries) {
        const std::string fields[]
            = {entry.Term,           entry.Note,          ModeName(entry.Mode),
               IsoTime(entry.First), IsoTime(entry.Last), std::to_string(entry.Count)};
        for (std::size_t i = 0; i < std::size(fields); ++i) {
            if (i != 0)
                out += separator;
            AppendField(out, fields[i], separator);
        }
        out += lineEnd;
    }
    return out;
}

bool ParseCount(std::string_view text, std::int64_t &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

// The most fields of a line that are kept: the columns read and a few beyond. A line of millions
// of tabs must not make millions of fields.
constexpr std::size_t FieldLimit = 16;

enum class Split { Done, Unclosed, TooManyLines };

// Splits tab-separated text into records of fields; `line` tells where a quote was not closed.
Split SplitRecords(std::string_view text,
                   std::vector<std::vector<std::string>> &records,
                   std::size_t &unclosedLine)
{
    std::vector<std::string> record;
    std::string field;
    std::size_t line = 1;
    std::size_t at = 0;
    bool header = true; // "#" lines are read as the header only before the first record
    while (at < text.size()) {
        const bool fieldStart = field.empty();
        const char c = text[at];
        if (fieldStart && record.empty() && header && c == '#') {
            at = std::min(text.find('\n', at), text.size());
            ++at;
            ++line;
            continue;
        }
        if (fieldStart && c == '"') {
            const std::size_t openLine = line;
            std::size_t i = at + 1;
            for (;; ++i) {
                if (i >= text.size()) {
                    unclosedLine = openLine;
                    return Split::Unclosed;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (text[i] == '\n')
                    ++line;
                field += text[i];
            }
            at = i + 1;
            // Text between the closing quote and the next separator is kept as written.
            while (at < text.size() && text[at] != '\t' && text[at] != '\n')
                field += text[at++];
            if (field.ends_with('\r') && (at >= text.size() || text[at] == '\n'))
                field.pop_back();
            continue;
        }
        ++at;
        if (c == '\t') {
            if (record.size() < FieldLimit)
                record.push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            if (field.ends_with('\r'))
                field.pop_back();
            record.push_back(std::move(field));
            field.clear();
            if (records.size() == WordsLineLimit)
                return Split::TooManyLines;
            records.push_back(std::move(record));
            record.clear();
            header = false;
            ++line;
        } else {
            field += c;
        }
    }
    if (!field.empty() || !record.empty()) {
        if (records.size() == WordsLineLimit)
            return Split::TooManyLines;
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return Split::Done;
}

} // namespace

std::string KeptTerm(std::string_view utf8)
{
    std::string term(TrimmedBy(OneLineTerm(utf8), [](char c) { return c == ' '; }));
    CapTermLength(term);
    return term;
}

std::string TermKey(std::string_view utf8)
{
    std::string key = KeptTerm(utf8);
    for (char &c : key)
        c = AsciiLower(c);
    return key;
}

std::string IsoTime(std::int64_t seconds)
{
    if (seconds <= 0)
        return {};
    seconds = std::min(seconds, LatestTime);
    std::int64_t year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(seconds / 86400, year, month, day);
    const std::int64_t inDay = seconds % 86400;
    char text[32];
    const auto two = [](char *at, std::int64_t v) {
        at[0] = static_cast<char>('0' + v / 10);
        at[1] = static_cast<char>('0' + v % 10);
    };
    text[0] = static_cast<char>('0' + year / 1000);
    text[1] = static_cast<char>('0' + year / 100 % 10);
    two(text + 2, year % 100);
    text[4] = '-';
    two(text + 5, month);
    text[7] = '-';
    two(text + 8, day);
    text[10] = 'T';
    two(text + 11, inDay / 3600);
    text[13] = ':';
    two(text + 14, inDay / 60 % 60);
    text[16] = ':';
    two(text + 17, inDay % 60);
    text[19] = 'Z';
    return std::string(text, 20);
}

bool ParseIsoTime(std::string_view text, std::int64_t &seconds)
{
    // YYYY-MM-DDTHH:MM:SSZ; a space for the T, as a spreadsheet writes it back, is taken too.
    if (text.size() != 20 || text[4] != '-' || text[7] != '-'
        || (text[10] != 'T' && text[10] != ' ') || text[13] != ':' || text[16] != ':'
        || text[19] != 'Z')
        return false;
    const auto number = [&](std::size_t at, std::size_t length, unsigned &value) {
        const auto [end, error]
            = std::from_chars(text.data() + at, text.data() + at + length, value);
        return error == std::errc() && end == text.data() + at + length && text[at] >= '0'
               && text[at] <= '9';
    };
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day) || !number(11, 2, hour)
        || !number(14, 2, minute) || !number(17, 2, second))
        return false;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59
        || second > 59)
        return false;
    const std::int64_t days = DaysFromCivil(year, month, day);
    std::int64_t checkYear = 0;
    unsigned checkMonth = 0, checkDay = 0;
    CivilFromDays(days, checkYear, checkMonth, checkDay);
    if (checkMonth != month || checkDay != day) // 31 April, 29 February of a common year
        return false;
    seconds = days * 86400 + std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    return seconds > 0;
}

std::string WriteWordsTsv(const std::vector<WordEntry> &entries)
{
    return WriteWords(entries, '\t', "\n",
                      "#separator:tab\n#html:false\n"
                      "#columns:term\tnote\tmode\tfirst\tlast\tcount\n");
}

std::string WriteWordsCsv(const std::vector<WordEntry> &entries)
{
    return WriteWords(entries, ',', "\r\n", "term,note,mode,first,last,count\r\n");
}

WordsImport ReadWordsTsv(std::string_view bytes)
{
    WordsImport out;
    const auto fail = [&](WordsFault fault) {
        out.Fault = fault;
        return out;
    };
    if (bytes.size() > WordsFileSizeLimit)
        return fail(WordsFault::TooLarge);
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (!IsValidUtf8(bytes))
        return fail(WordsFault::NotUtf8);
    std::vector<std::vector<std::string>> records;
    std::size_t unclosedLine = 0;
    switch (SplitRecords(bytes, records, unclosedLine)) {
    case Split::Unclosed:
        out.Line = unclosedLine;
        return fail(WordsFault::UnclosedQuote);
    case Split::TooManyLines:
        return fail(WordsFault::TooManyLines);
    case Split::Done:
        break;
    }
    for (std::vector<std::string> &fields : records) {
        WordEntry entry;
        entry.Term = KeptTerm(fields[0]);
        if (entry.Term.empty()) {
            if (fields.size() > 1 || !fields[0].empty())
                ++out.Skipped;
            continue;
        }
        bool usable = true;
        const auto field = [&](std::size_t i) -> std::string_view {
            return i < fields.size() ? std::string_view(fields[i]) : std::string_view();
        };
        entry.Note = std::string(field(1));
        if (!field(2).empty()) {
            std::int64_t mode = 0;
            usable &= ParseCount(field(2), mode) && mode < 100;
            entry.Mode = usable ? static_cast<int>(mode) : -1;
        }
        if (!field(3).empty())
            usable &= ParseIsoTime(field(3), entry.First);
        if (!field(4).empty())
            usable &= ParseIsoTime(field(4), entry.Last);
        if (!field(5).empty() && !ParseCount(field(5), entry.Count)) {
            usable = false;
            entry.Count = 0;
        }
        if (entry.First > entry.Last && entry.Last != 0)
            std::swap(entry.First, entry.Last);
        if (!usable)
            ++out.Skipped;
        out.Entries.push_back(std::move(entry));
    }
    return out;
}

std::size_t MergeWords(std::vector<WordEntry> &kept, const std::vector<WordEntry> &incoming)
{
    std::unordered_map<std::string, std::size_t> byKey;
    for (std::size_t i = 0; i < kept.size(); ++i)
        byKey.emplace(TermKey(kept[i].Term), i);
    std::size_t added = 0;
    for (const WordEntry &entry : incoming) {
        const auto [found, isNew] = byKey.emplace(TermKey(entry.Term), kept.size());
        if (isNew) {
            kept.push_back(entry);
            ++added;
            continue;
        }
        WordEntry &old = kept[found->second];
        if (old.Note.empty())
            old.Note = entry.Note;
        if (entry.First != 0 && (old.First == 0 || entry.First < old.First))
            old.First = entry.First;
        if (entry.Last > old.Last) {
            old.Last = entry.Last;
            if (entry.Mode >= 0)
                old.Mode = entry.Mode;
        }
        if (old.Mode < 0)
            old.Mode = entry.Mode;
        old.Count = std::max(old.Count, entry.Count);
    }
    return added;
}

FilterMethod ChooseFilterMethod(std::string_view filterUtf8)
{
    std::size_t characters = 0;
    for (const char c : filterUtf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters == 0)
        return FilterMethod::All;
    return characters >= 3 ? FilterMethod::Trigram : FilterMethod::Like;
}

std::string LikePattern(std::string_view filterUtf8)
{
    std::string pattern = "%";
    for (const char c : filterUtf8) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    pattern += '%';
    return pattern;
}

std::string TrigramPhrase(std::string_view filterUtf8)
{
    std::string phrase = "\"";
    for (const char c : filterUtf8) {
        if (c == '"')
            phrase += '"';
        phrase += c;
    }
    phrase += '"';
    return phrase;
}

} // namespace tellaria
