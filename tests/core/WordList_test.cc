// The notebook's and the record's words as they leave and come back: the tab-separated text a
// flash-card program imports, CSV, the reading of files from anyone, the merge of duplicates, and
// which lookup a filter of each length takes.

#include "core/WordList.h"

#include <gtest/gtest.h>

namespace tellaria {

// Shown by the test framework when entries differ.
void PrintTo(const WordEntry &e, std::ostream *out)
{
    *out << '{' << e.Term << " | " << e.Note << " | " << e.Mode << ' ' << e.First << ' ' << e.Last
         << ' ' << e.Count << '}';
}

namespace {

WordEntry W(std::string term,
            std::string note = {},
            int mode = -1,
            std::int64_t first = 0,
            std::int64_t last = 0,
            std::int64_t count = 0)
{
    return {std::move(term), std::move(note), mode, first, last, count};
}

const std::vector<WordEntry> Sample = {
    {"苹果", "一种水果\t常见", 2, 1765000000, 1765100000, 3},
    {"say \"hi\"", "第一行\n第二行", 0, 1700000000, 1700000000, 1},
    {"#hashtag", "", -1, 0, 0, 0},
    {"plain", "a \"quoted\" note, with comma\r\nand CR LF", 3, 86400, 90000, 12},
};

TEST(WordListTsv, RoundTripKeepsEveryField)
{
    const WordsImport read = ReadWordsTsv(WriteWordsTsv(Sample));
    ASSERT_EQ(read.Fault, WordsFault::None);
    EXPECT_EQ(read.Entries, Sample);
    EXPECT_EQ(read.Skipped, 0u);
}

TEST(WordListTsv, WrittenForAFlashCardProgram)
{
    const std::string text = WriteWordsTsv({Sample[0], Sample[1]});
    EXPECT_TRUE(text.starts_with("#separator:tab\n#html:false\n#columns:term\tnote\tmode\tfirst"
                                 "\tlast\tcount\n"));
    EXPECT_NE(text.find("苹果\t\"一种水果\t常见\"\t2\t2025-12-06T05:46:40Z\t2025-12-07T09:33:20Z"
                        "\t3\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"say \"\"hi\"\"\"\t\"第一行\n第二行\""), std::string::npos);
}

TEST(WordListCsv, QuotesAsRfc4180)
{
    EXPECT_EQ(WriteWordsCsv({Sample[0], Sample[3]}),
              "term,note,mode,first,last,count\r\n"
              "苹果,一种水果\t常见,2,2025-12-06T05:46:40Z,2025-12-07T09:33:20Z,3\r\n"
              "plain,\"a \"\"quoted\"\" note, with comma\r\nand CR LF\",3,1970-01-02T00:00:00Z,"
              "1970-01-02T01:00:00Z,12\r\n");
}

// Files from anyone: what each reads as, or the failure it gives.
struct HostileCase
{
    const char *Name;
    std::string Bytes;
    std::vector<WordEntry> Entries;
    std::size_t Skipped;
    WordsFault Failure; // None: the read succeeds
    std::size_t Line; // where an unclosed quote opens

    HostileCase(const char *name,
                std::string bytes,
                std::vector<WordEntry> entries,
                std::size_t skipped = 0,
                WordsFault failure = WordsFault::None,
                std::size_t line = 0)
        : Name(name)
        , Bytes(std::move(bytes))
        , Entries(std::move(entries))
        , Skipped(skipped)
        , Failure(failure)
        , Line(line)
    {}
};

TEST(WordListTsv, ReadsWhatAnyoneWrites)
{
    const std::vector<HostileCase> cases = {
        {"empty", "", {}},
        {"only a header", "#separator:tab\n#columns:a\n", {}},
        {"byte-order mark and CR LF", "\xEF\xBB\xBF词\t注\r\n", {W("词", "注")}},
        {"term only, no line end", "word", {W("word")}},
        {"extra columns ignored", "a\tb\t1\t\t\t2\textra\tmore\n", {W("a", "b", 1, 0, 0, 2)}},
        {"blank lines pass", "\n\n a \n", {W("a")}},
        {"blank term skipped", "\tnote\n", {}, 1},
        {"control characters in a term",
         "a\x01\x02"
         "b\tn\n",
         {W("a b", "n")}},
        {"hash after the first record is a term", "a\n\"#b\"\n#c\n", {W("a"), W("#b"), W("#c")}},
        {"negative count", "a\t\t\t\t\t-5\n", {W("a")}, 1},
        {"huge count", "a\t\t\t\t\t99999999999999999999\n", {W("a")}, 1},
        {"bad date", "a\t\t\t2025-02-30T00:00:00Z\n", {W("a")}, 1},
        {"date before 1970", "a\t\t\t1969-12-31T23:59:59Z\n", {W("a")}, 1},
        {"spreadsheet's date", "a\t\t\t2025-01-01 00:00:00Z\n", {W("a", "", -1, 1735689600)}},
        {"first after last swapped",
         "a\t\t\t2025-01-02T00:00:00Z\t2025-01-01T00:00:00Z\n",
         {W("a", "", -1, 1735689600, 1735776000)}},
        {"mode out of range", "a\t\t1000\n", {W("a")}, 1},
        {"text after a closing quote kept", "\"a\"b\tc\n", {W("ab", "c")}},
        {"quote inside an unquoted field", "a\"b\tc\"d\n", {W("a\"b", "c\"d")}},
        {"long term cut", std::string(3000, 'x') + "\n", {W(std::string(1000, 'x'))}},
        {"NUL inside a note", std::string("a\tn\0n\n", 6), {W("a", std::string("n\0n", 3))}},
        {"quote never closed", "a\n\"b\tc\nd\n", {}, 0, WordsFault::UnclosedQuote, 2},
        {"not UTF-8", "\xB4\xCA\t\n", {}, 0, WordsFault::NotUtf8},
        {"UTF-16",
         "\xFF\xFE"
         "a\0",
         {},
         0,
         WordsFault::NotUtf8},
    };
    for (const HostileCase &c : cases) {
        SCOPED_TRACE(c.Name);
        const WordsImport read = ReadWordsTsv(c.Bytes);
        EXPECT_EQ(read.Fault, c.Failure);
        EXPECT_EQ(read.Line, c.Line);
        EXPECT_EQ(read.Entries, c.Entries);
        EXPECT_EQ(read.Skipped, c.Skipped);
    }
}

TEST(WordListTsv, TooLargeFails)
{
    EXPECT_EQ(ReadWordsTsv(std::string(WordsFileSizeLimit + 1, 'a')).Fault, WordsFault::TooLarge);
    EXPECT_EQ(ReadWordsTsv(std::string(WordsLineLimit, '\n') + "a").Fault,
              WordsFault::TooManyLines);
    // A line of tabs makes no more fields than are read.
    const WordsImport read = ReadWordsTsv("a" + std::string(1'000'000, '\t') + "\n");
    ASSERT_EQ(read.Fault, WordsFault::None);
    EXPECT_EQ(read.Entries, std::vector<WordEntry>{W("a")});
}

TEST(WordListMerge, DuplicatesMergedNotDoubled)
{
    std::vector<WordEntry> kept = {{"Apple", "", 0, 200, 300, 4}, {"梨", "已有", 1, 50, 60, 2}};
    const std::vector<WordEntry> incoming = {
        {"apple", "红色", 2, 100, 400, 3}, // earlier first, later last: both taken
        {"梨", "新的", 2, 70, 55, 9}, // the kept note stays, the larger count wins
        {"桃", "新词", 3, 10, 20, 1},
        {"桃", "重复", 0, 5, 30, 2}, // a duplicate within the file
    };
    EXPECT_EQ(MergeWords(kept, incoming), 1u);
    const std::vector<WordEntry> expected = {{"Apple", "红色", 2, 100, 400, 4},
                                             {"梨", "已有", 1, 50, 60, 9},
                                             {"桃", "新词", 0, 5, 30, 2}};
    EXPECT_EQ(kept, expected);
    // The same file again changes nothing.
    EXPECT_EQ(MergeWords(kept, incoming), 0u);
    EXPECT_EQ(kept, expected);
}

TEST(WordListFilter, MethodByLength)
{
    const struct
    {
        const char *Filter;
        FilterMethod Method;
    } cases[] = {
        {"", FilterMethod::All},        {"a", FilterMethod::Like},
        {"苹", FilterMethod::Like},     {"苹果", FilterMethod::Like},
        {"abc", FilterMethod::Trigram}, {"苹果树", FilterMethod::Trigram},
        {"a果", FilterMethod::Like},    {"𠀀𠀀𠀀", FilterMethod::Trigram},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Filter);
        EXPECT_EQ(ChooseFilterMethod(c.Filter), c.Method);
    }
}

TEST(WordListFilter, BoundValuesAreLiteral)
{
    EXPECT_EQ(LikePattern("50%_a\\b"), "%50\\%\\_a\\\\b%");
    EXPECT_EQ(TrigramPhrase("say \"hi\" OR x*"), "\"say \"\"hi\"\" OR x*\"");
}

TEST(WordListTime, IsoRoundTrip)
{
    for (const std::int64_t seconds : {std::int64_t{1}, std::int64_t{951782400} /* 2000-02-29 */,
                                       std::int64_t{1765262453}, std::int64_t{253402300799}}) {
        std::int64_t back = 0;
        ASSERT_TRUE(ParseIsoTime(IsoTime(seconds), back)) << seconds;
        EXPECT_EQ(back, seconds);
    }
    EXPECT_EQ(IsoTime(0), "");
    EXPECT_EQ(IsoTime(951782400), "2000-02-29T00:00:00Z");
}

} // namespace
} // namespace tellaria
