#pragma once

// The words the program keeps beyond the query box's eleven: the notebook's entries and the
// record's terms as they leave the program and come back, as tab-separated text a flash-card
// program imports and as CSV; how a typed filter is looked up; which spellings count as one term.
// All texts are UTF-8. The database itself lives in the desktop layer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

// One line of an export: a term with its note, the lookup mode it was last asked in (-1 none),
// its first and last look-up (seconds since 1970, UTC; 0 unknown) and how often it was asked.
struct WordEntry
{
    std::string Term;
    std::string Note;
    int Mode = -1;
    std::int64_t First = 0;
    std::int64_t Last = 0;
    std::int64_t Count = 0;

    bool operator==(const WordEntry &) const = default;
};

// A term as kept: one line (OneLineTerm) without spaces at its ends, cut to LongestTerm
// characters. Empty for a blank one.
std::string KeptTerm(std::string_view utf8);
// The key under which two spellings are the same term: the kept term, ASCII letters lowered.
std::string TermKey(std::string_view utf8);

// "2026-12-09T06:30:53Z" for `seconds`; empty for 0.
std::string IsoTime(std::int64_t seconds);
// The seconds of such a text; false for anything else.
bool ParseIsoTime(std::string_view text, std::int64_t &seconds);

// Tab-separated text with a header a flash-card program reads (its separator, and the columns
// term, note, mode, first, last, count); a field holding a tab, a quote, a line break or a
// leading "#" is quoted with doubled quotes inside, so no note splits a line.
std::string WriteWordsTsv(const std::vector<WordEntry> &entries);
// The same columns as CSV (RFC 4180: comma, CR LF, quoting where needed), with a header row.
std::string WriteWordsCsv(const std::vector<WordEntry> &entries);

// The longest file an import reads, and the most lines it takes: a notebook is a few thousand.
inline constexpr std::size_t WordsFileSizeLimit = std::size_t{64} << 20;
inline constexpr std::size_t WordsLineLimit = 1'000'000;

// Why an import read nothing; the words for it are chosen above the core.
enum class WordsFault { None, TooLarge, NotUtf8, UnclosedQuote, TooManyLines };

struct WordsImport
{
    std::vector<WordEntry> Entries;
    // Lines that held no usable term, or fields that did not read (left at their defaults).
    std::size_t Skipped = 0;
    WordsFault Fault = WordsFault::None;
    // For UnclosedQuote: the line (from 1) where the quote opens.
    std::size_t Line = 0;
};

// Reads tab-separated text as WriteWordsTsv writes it, and as a flash-card program or a hand
// makes it: a UTF-8 byte-order mark, "#" header lines, an unquoted or quoted field, missing or
// extra columns, CR LF or LF. The file comes from anyone: a text that is not UTF-8, has a quote
// never closed, or is larger than the limits, reads nothing and says why in Fault; nothing else
// fails. Terms come out kept (KeptTerm), notes valid UTF-8, counts and times never negative.
WordsImport ReadWordsTsv(std::string_view bytes);

// Merges `incoming` into `kept` by TermKey: a term already kept keeps its spelling and its note
// unless that is empty; its first look-up is the earlier, its last the later, its count the
// larger (importing the same file twice counts nothing twice) and its mode the one of the later
// look-up. New terms are appended in their order. Returns how many were new.
std::size_t MergeWords(std::vector<WordEntry> &kept, const std::vector<WordEntry> &incoming);

// How a filter is looked up: every row for no text; the trigram index from three characters on,
// which cannot match fewer; a LIKE over the distinct terms below that.
enum class FilterMethod { All, Like, Trigram };
FilterMethod ChooseFilterMethod(std::string_view filterUtf8);
// The bound value for each: a LIKE pattern with "%", "_" and "\" escaped by "\" (ESCAPE '\'),
// and a trigram MATCH text that reads the filter as one literal phrase.
std::string LikePattern(std::string_view filterUtf8);
std::string TrigramPhrase(std::string_view filterUtf8);

} // namespace tellaria
