#include "core/QueryHistory.h"
#include "tests/support/FaultText.h"

#include "tests/support/TestDirectory.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tellaria {
namespace {

using test::CountEntries;
using test::ReadFile;
using test::RunInChild;
using test::TestDirectory;
using test::WriteFile;
using Entries = std::vector<std::string>;
using namespace std::string_view_literals;

QueryHistory HistoryOf(Entries entries)
{
    QueryHistory history;
    history.SetEntries(std::move(entries));
    return history;
}

// The error text of loading `directory` into a list that held an entry before, or the entries
// joined by "|".
std::string LoadOutcome(const std::string &directory)
{
    QueryHistory history = HistoryOf({"stale"});
    const Status status = history.LoadQueryHistory(directory);
    if (!status.Ok())
        return FaultText(status) + (history.Entries().empty() ? "" : " (list not emptied)");
    std::string joined;
    for (const std::string &entry : history.Entries())
        joined += entry + "|";
    return joined;
}

// --- Recording ---

TEST(RecordQuery, TwelfthDistinctTermPushesOutTheOldest)
{
    QueryHistory history;
    Entries expected;
    for (int i = 1; i <= 11; ++i) {
        EXPECT_TRUE(history.RecordQuery("t" + std::to_string(i)));
        expected.push_back("t" + std::to_string(i));
    }
    EXPECT_EQ(history.Entries(), expected);
    EXPECT_TRUE(history.RecordQuery("t12"));
    expected.erase(expected.begin());
    expected.push_back("t12");
    EXPECT_EQ(history.Entries(), expected);
}

TEST(RecordQuery, ALongSessionKeepsTheNewestElevenAcrossStorageMoves)
{
    QueryHistory history;
    for (int i = 1; i <= 1000; ++i) {
        // Long enough to live outside the string itself, so a stale span would show.
        ASSERT_TRUE(history.RecordQuery("a longer term number " + std::to_string(i)));
        ASSERT_EQ(history.Count(), std::size_t(std::min(i, 11)));
        ASSERT_EQ(history.Entry(history.Count() - 1), "a longer term number " + std::to_string(i));
        ASSERT_EQ(history.Entry(0), "a longer term number " + std::to_string(std::max(1, i - 10)));
    }
}

struct RecordCase
{
    std::string Term;
    bool Changes;
    Entries Expected;
};

class RecordFromDogCatOwl : public testing::TestWithParam<RecordCase>
{};

TEST_P(RecordFromDogCatOwl, ComparesByteForByte)
{
    QueryHistory history = HistoryOf({"dog", "cat", "owl"});
    EXPECT_EQ(history.RecordQuery(GetParam().Term), GetParam().Changes);
    EXPECT_EQ(history.Entries(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         RecordFromDogCatOwl,
                         testing::Values(RecordCase{"cat", false, {"dog", "cat", "owl"}},
                                         RecordCase{"Cat", true, {"dog", "cat", "owl", "Cat"}},
                                         RecordCase{" cat", true, {"dog", "cat", "owl", " cat"}},
                                         RecordCase{"ca", true, {"dog", "cat", "owl", "ca"}},
                                         RecordCase{"owl", false, {"dog", "cat", "owl"}}));

TEST(RecordQuery, LongerLoadedListKeepsItsLength)
{
    Entries lines;
    for (int i = 0; i < 15; ++i)
        lines.push_back("line" + std::to_string(i));
    QueryHistory history = HistoryOf(lines);
    EXPECT_TRUE(history.RecordQuery("new"));
    lines.erase(lines.begin());
    lines.push_back("new");
    EXPECT_EQ(history.Entries(), lines);
}

TEST(RecordQuery, TermEqualToLoadedDuplicatesChangesNothing)
{
    QueryHistory history = HistoryOf({"x", "x"});
    EXPECT_FALSE(history.RecordQuery("x"));
    EXPECT_EQ(history.Entries(), (Entries{"x", "x"}));
}

// --- The caller's UTF-8, the code page's bytes ---

struct TextCase
{
    const char *Description;
    Entries Held; // code-page bytes
    std::string TermUtf8;
    bool Changes;
    Entries Expected;
};

class RecordUtf8Test : public testing::TestWithParam<TextCase>
{};

TEST_P(RecordUtf8Test, HoldsTheTermInTheCodePage)
{
    const TextCase &c = GetParam();
    QueryHistory history = HistoryOf(c.Held);
    EXPECT_EQ(history.RecordQuery(c.TermUtf8), c.Changes) << c.Description;
    EXPECT_EQ(history.Entries(), c.Expected) << c.Description;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    RecordUtf8Test,
    testing::Values(TextCase{"GBK's bytes", {}, "中文", true, {"\xD6\xD0\xCE\xC4"}},
                    TextCase{"a character GBK lacks", {}, "\U0001F600", true, {"\x94\x39\xFC\x36"}},
                    TextCase{
                        "equal to a loaded entry's bytes", {"\xD6\xD0"}, "中", false, {"\xD6\xD0"}},
                    TextCase{"pasted lines are held as one", {}, "a\r\nb\tc\n", true, {"a b c"}},
                    TextCase{"equal once made one line", {"a b"}, "a\nb", false, {"a b"}},
                    TextCase{"not equal to bytes that only look alike",
                             {"\xE4\xB8\xAD"},
                             "中",
                             true,
                             {"\xE4\xB8\xAD", "\xD6\xD0"}}));

struct EntryTextCase
{
    std::string Held;
    std::string Utf8;
};

class EntryTextTest : public testing::TestWithParam<EntryTextCase>
{};

TEST_P(EntryTextTest, GivesUtf8)
{
    EXPECT_EQ(HistoryOf({GetParam().Held}).EntryText(0), GetParam().Utf8);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         EntryTextTest,
                         testing::Values(EntryTextCase{"cat", "cat"},
                                         EntryTextCase{"\xD6\xD0\xCE\xC4", "中文"},
                                         EntryTextCase{"\x94\x39\xFC\x36", "\U0001F600"},
                                         // 0xFF starts no character of the code page.
                                         EntryTextCase{"a\xFFz", "a\uFFFDz"},
                                         EntryTextCase{"", ""}));

TEST(QueryHistoryFile, BytesInvalidInTheCodePageShowAsReplacementsAndSaveBackUnchanged)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivander.qry");
    const std::string old = "a\xFFz\r\n\xD6\xD0\r\n";
    WriteFile(path, old);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.EntryText(0), "a\uFFFDz");
    EXPECT_EQ(history.EntryText(1), "中");
    EXPECT_FALSE(history.RecordQuery("中"));
    EXPECT_TRUE(history.RecordQuery("猫"));
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(path), old + "\xC3\xA8\r\n");
}

// --- The file format ---

struct ParseCase
{
    std::string_view Bytes;
    Entries Expected;
};

class ParseQueryHistoryTest : public testing::TestWithParam<ParseCase>
{};

TEST_P(ParseQueryHistoryTest, SplitsLines)
{
    EXPECT_EQ(ParseQueryHistory(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ParseQueryHistoryTest,
                         testing::Values(ParseCase{""sv, {}},
                                         ParseCase{"a\n\nb"sv, {"a", "", "b"}},
                                         ParseCase{"a\rb"sv, {"a", "b"}},
                                         ParseCase{"a\n\rb"sv, {"a", "", "b"}},
                                         ParseCase{"a\r\nb\r\n"sv, {"a", "b"}},
                                         ParseCase{"a\r\r\nb"sv, {"a", "", "b"}},
                                         ParseCase{"x\0y\r\n"sv, {"x"}},
                                         ParseCase{"\0abc\r\n"sv, {}},
                                         ParseCase{"a\r\nb\0\r\nc"sv, {"a", "b"}},
                                         ParseCase{"\r\n"sv, {""}},
                                         ParseCase{"\r\r"sv, {"", ""}},
                                         ParseCase{"\n\n\n"sv, {"", "", ""}},
                                         ParseCase{"last"sv, {"last"}},
                                         ParseCase{"same\r\nsame\r\n"sv, {"same", "same"}},
                                         // Blanks stay; a control byte never does.
                                         ParseCase{" pad \t\r\n"sv, {" pad "}},
                                         ParseCase{"\xD6\xD0\r\n\x94\x39\xFC\x36"sv,
                                                   {"\xD6\xD0", "\x94\x39\xFC\x36"}}));

// Long lines, runs of breaks, and content that ends at a NUL inside a line or right after a CR.
std::string Repeat(char byte, std::size_t count)
{
    return std::string(count, byte);
}

struct BlockCase
{
    std::string Bytes;
    Entries Expected;
};

class ParseAcrossBlocksTest : public testing::TestWithParam<BlockCase>
{};

TEST_P(ParseAcrossBlocksTest, SplitsLines)
{
    EXPECT_EQ(ParseQueryHistory(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ParseAcrossBlocksTest,
    testing::Values(
        BlockCase{Repeat('a', 63) + "\r\nb", {Repeat('a', 63), "b"}},
        BlockCase{Repeat('a', 63) + "\rb", {Repeat('a', 63), "b"}},
        BlockCase{Repeat('a', 63) + "\r", {Repeat('a', 63)}},
        BlockCase{Repeat('a', 64) + "\n" + Repeat('b', 64), {Repeat('a', 64), Repeat('b', 64)}},
        BlockCase{Repeat('a', 200) + "\r\n", {Repeat('a', 200)}},
        BlockCase{Repeat('\n', 70), Entries(70, "")},
        BlockCase{"x" + Repeat('\r', 9) + "y", {"x", "", "", "", "", "", "", "", "", "y"}},
        BlockCase{Repeat('a', 100) + "\r\nb" + std::string(1, '\0') + "c\r\n",
                  {Repeat('a', 100), "b"}},
        BlockCase{Repeat('a', 127) + "\r" + std::string(1, '\0') + "\nc", {Repeat('a', 127)}},
        BlockCase{Repeat('a', 128) + std::string(1, '\0'), {Repeat('a', 128)}}));

// Whatever the bytes, the lines are those of the rule.
TEST(ParseQueryHistory, AgreesWithTheRuleOnRandomBytes)
{
    const auto byRule = [](std::string_view bytes) {
        Entries lines;
        std::string line;
        std::size_t at = 0;
        bool open = false;
        for (; at < bytes.size() && bytes[at] != '\0'; ++at) {
            const char byte = bytes[at];
            if (byte == '\r' || byte == '\n') {
                lines.push_back(line);
                line.clear();
                open = false;
                if (byte == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n')
                    ++at;
            } else {
                line += byte;
                open = true;
            }
        }
        if (open)
            lines.push_back(line);
        return lines;
    };
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0', '\xD6'};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 300, 'a');
        // Mostly text, now and then a break or a NUL.
        for (char &byte : bytes)
            byte = random() % 8 == 0 ? alphabet[random() % std::size(alphabet)] : 'q';
        if (random() % 2 == 0)
            std::replace(bytes.begin(), bytes.end(), '\0', 'z');
        ASSERT_EQ(ParseQueryHistory(bytes), byRule(bytes)) << testing::PrintToString(bytes);
    }
}

// Many lines, with both kinds of break.
TEST(ParseQueryHistory, ManyLines)
{
    Entries lines;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        lines.push_back("term" + std::to_string(i));
        bytes += lines.back() + (i % 3 == 0 ? "\n" : "\r\n");
    }
    EXPECT_EQ(ParseQueryHistory(bytes), lines);
}

TEST(SerializeQueryHistory, EndsEveryEntryWithCrLf)
{
    EXPECT_EQ(SerializeQueryHistory({}), "");
    EXPECT_EQ(SerializeQueryHistory({"cat"}), "cat\r\n");
    EXPECT_EQ(SerializeQueryHistory({"a", "", "b"}), "a\r\n\r\nb\r\n");
    // An entry holding a break is written as it is and comes back split.
    EXPECT_EQ(ParseQueryHistory(SerializeQueryHistory({"a\nb"})), (Entries{"a", "b"}));
}

// --- Loading and saving files ---

TEST(QueryHistoryFile, MissingFileGivesAnEmptyList)
{
    TestDirectory directory;
    QueryHistory history = HistoryOf({"stale"});
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_TRUE(history.Entries().empty());
}

TEST(QueryHistoryFile, FirstQueryIsSavedAsFiveBytes)
{
    TestDirectory directory;
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    history.RecordQuery("cat");
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(directory.File("Lexivander.qry")), "cat\r\n");
    EXPECT_EQ(CountEntries(directory.Slash()), 1); // no temporary file left behind
}

TEST(QueryHistoryFile, EmptyListReplacesAFileWithLinesByAnEmptyFile)
{
    TestDirectory directory;
    WriteFile(directory.File("Lexivander.qry"), "a\r\nb\r\n");
    ASSERT_TRUE(QueryHistory().SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(directory.File("Lexivander.qry")), "");
}

TEST(QueryHistoryFile, SavedListLoadsBackUnchanged)
{
    TestDirectory directory;
    Entries entries;
    for (int i = 0; i < 15; ++i)
        entries.push_back("entry " + std::to_string(i));
    entries.push_back("");
    entries.push_back("\xD6\xD0\xCE\xC4 \x94\x39\xFC\x36");
    ASSERT_TRUE(HistoryOf(entries).SaveQueryHistory(directory.Slash()).Ok());
    QueryHistory loaded;
    ASSERT_TRUE(loaded.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(loaded.Entries(), entries);
}

TEST(QueryHistoryFile, FileWithNulLoadsOnlyWhatPrecedesIt)
{
    TestDirectory directory;
    WriteFile(directory.File("Lexivander.qry"), "x\0y\r\n"sv);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), Entries{"x"});
}

TEST(QueryHistoryFile, NameMatchingWithoutRegardToCaseIsLoaded)
{
    TestDirectory directory;
    WriteFile(directory.File("LEXIVANDER.QRY"), "copied\r\n");
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), Entries{"copied"});
}

TEST(QueryHistoryFile, ExactNameWinsOverOtherCases)
{
    TestDirectory directory;
    WriteFile(directory.File("Lexivander.QRY"), "other\r\n");
    WriteFile(directory.File("Lexivander.qry"), "exact\r\n");
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), Entries{"exact"});
}

TEST(QueryHistoryFile, DirectoryOfThatNameDoesNotCount)
{
    TestDirectory directory;
    ASSERT_EQ(mkdir(directory.File("Lexivander.qry").c_str(), 0755), 0);
    EXPECT_FALSE(FindQueryHistoryFile(directory.Slash()));
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_TRUE(history.Entries().empty());

    // A regular file under another case is then the one found.
    WriteFile(directory.File("lexivander.qry"), "found\r\n");
    EXPECT_EQ(FindQueryHistoryFile(directory.Slash()), directory.File("lexivander.qry"));
}

TEST(QueryHistoryFile, DanglingLinkDoesNotCount)
{
    TestDirectory directory;
    const std::string link = directory.File("Lexivander.qry");
    ASSERT_EQ(symlink(directory.File("nowhere").c_str(), link.c_str()), 0);
    EXPECT_FALSE(FindQueryHistoryFile(directory.Slash()));
    QueryHistory history;
    EXPECT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_TRUE(history.Entries().empty());
}

TEST(QueryHistoryFile, FifoOfThatNameNeitherCountsNorBlocks)
{
    TestDirectory directory;
    ASSERT_EQ(mkfifo(directory.File("Lexivander.qry").c_str(), 0644), 0);
    EXPECT_FALSE(FindQueryHistoryFile(directory.Slash()));
    EXPECT_EQ(RunInChild([&] { return LoadOutcome(directory.Slash()); }), "");
}

TEST(QueryHistoryFile, FileLockedByAWriterFailsWithItsFullPath)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivander.qry");
    WriteFile(path, "a\r\n");
    const int writer = open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(flock(writer, LOCK_EX), 0);
    EXPECT_EQ(RunInChild([&] { return LoadOutcome(directory.Slash()); }),
              "Cannot open file \"" + path + "\". Resource temporarily unavailable");

    // Other readers do not stop the load.
    ASSERT_EQ(flock(writer, LOCK_SH), 0);
    EXPECT_EQ(RunInChild([&] { return LoadOutcome(directory.Slash()); }), "a|");
    close(writer);
}

// --- Failed saves ---

std::string SaveError(const QueryHistory &history, const std::string &directory)
{
    const Status status = history.SaveQueryHistory(directory);
    return status.Ok() ? "no error" : FaultText(status);
}

TEST(QueryHistoryFile, SaveIntoAMissingDirectoryFails)
{
    TestDirectory directory;
    const std::string missing = directory.File("missing/");
    EXPECT_EQ(SaveError(HistoryOf({"cat"}), missing),
              "Cannot create file \"" + missing + "Lexivander.qry\". No such file or directory");
}

TEST(QueryHistoryFile, SaveThroughARegularFileFails)
{
    TestDirectory directory;
    WriteFile(directory.File("plain"), "x");
    const std::string through = directory.File("plain/");
    EXPECT_EQ(SaveError(HistoryOf({"cat"}), through),
              "Cannot create file \"" + through + "Lexivander.qry\". Not a directory");
    EXPECT_EQ(ReadFile(directory.File("plain")), "x");
}

TEST(QueryHistoryFile, SaveOverADirectoryFailsAndLeavesNoTemporaryFile)
{
    TestDirectory directory;
    ASSERT_EQ(mkdir(directory.File("Lexivander.qry").c_str(), 0755), 0);
    const std::string message = SaveError(HistoryOf({"cat"}), directory.Slash());
    const std::string prefix = "Cannot create file \"" + directory.File("Lexivander.qry") + "\". ";
    EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
    EXPECT_EQ(CountEntries(directory.Slash()), 1);
}

TEST(QueryHistoryFile, SaveCutShortByTheFileSizeLimitKeepsTheOldFile)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivander.qry");
    WriteFile(path, "old\r\n");
    const std::string message = RunInChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        return SaveError(HistoryOf({std::string(1000, 'z')}), directory.Slash());
    });
    EXPECT_EQ(message, "Cannot create file \"" + path + "\". File too large");
    EXPECT_EQ(ReadFile(path), "old\r\n");
    EXPECT_EQ(CountEntries(directory.Slash()), 1);
}

// --- Bad input ---

TEST(QueryHistoryBadInput, FileOfOnlyCrsGivesOneEmptyEntryPerCr)
{
    TestDirectory directory;
    WriteFile(directory.File("Lexivander.qry"), std::string(1 << 20, '\r'));
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    ASSERT_EQ(history.Entries().size(), 1u << 20);
    EXPECT_TRUE(history.Entries().front().empty());
    EXPECT_TRUE(history.Entries().back().empty());
}

TEST(QueryHistoryBadInput, MegabyteLinesLoadWhole)
{
    TestDirectory directory;
    const std::string line(1 << 20, 'm');
    WriteFile(directory.File("Lexivander.qry"), line + "\r\n" + line + "\n" + line);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), (Entries{line, line, line}));
}

// 16 MiB, stated here as a number: a doubled or halved bound fails the test.
TEST(QueryHistoryBadInput, FileOfSixteenMebibytesLoadsAndOneByteMoreIsKept)
{
    constexpr std::size_t Limit = std::size_t{16} << 20;
    TestDirectory directory;
    const std::string path = directory.File("Lexivander.qry");
    const std::string line = std::string(126, 'h') + "\r\n";
    std::string content;
    content.reserve(Limit + 1);
    while (content.size() < Limit)
        content += line;
    ASSERT_EQ(content.size(), Limit);
    WriteFile(path, content);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Count(), Limit / line.size());
    EXPECT_EQ(history.Entry(history.Count() - 1), std::string(126, 'h'));

    content += 'x';
    WriteFile(path, content);
    EXPECT_EQ(FaultText(history.LoadQueryHistory(directory.Slash())),
              "Cannot open file \"" + path + "\". File too large");
    EXPECT_TRUE(history.LoadFailed());
    EXPECT_EQ(history.Count(), 0u);
    history.RecordQuery("cat");
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(path), content);
}

TEST(QueryHistoryBadInput, BinaryFileSplitsOnlyAtBreaksBeforeTheFirstNul)
{
    std::mt19937 random(7);
    std::string bytes;
    // No NUL, so the whole file counts; of the control bytes only the breaks, which a load
    // alone keeps out of the entries.
    for (int i = 0; i < 300'000; ++i) {
        const auto byte = static_cast<char>(random() % 224 + 32);
        bytes += random() % 64 == 0 ? "\r\n"[random() % 2] : byte == 0x7F ? 'x' : byte;
    }
    bytes += '\0';
    bytes += "\r\ntail";

    TestDirectory directory;
    WriteFile(directory.File("Lexivander.qry"), bytes);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());

    // Re-joining the entries with the breaks they were cut at gives back the bytes before NUL.
    const std::string_view before(bytes.data(), bytes.find('\0'));
    std::size_t at = 0;
    for (const std::string &entry : history.Entries()) {
        ASSERT_EQ(before.substr(at, entry.size()), entry);
        ASSERT_EQ(entry.find_first_of("\r\n"sv), std::string::npos);
        at += entry.size();
        if (at < before.size())
            at += before.substr(at, 2) == "\r\n" ? 2 : 1;
    }
    EXPECT_EQ(at, before.size());
    EXPECT_EQ(history.Entries(), ParseQueryHistory(bytes));
}

// A file made by hand, or by another program, never brings a control character into the list;
// the lines an earlier version split a term into stay lines.
TEST(QueryHistoryBadInput, ControlBytesInALineBecomeSpaces)
{
    TestDirectory directory;
    WriteFile(directory.File("Lexivander.qry"), "a\tb\r\n\x1b[2J\x7f\r\none\r\ntwo\r\n\t\r\n");
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), (Entries{"a b", "[2J", "one", "two", ""}));
}

TEST(QueryHistoryBadInput, BreaksAtEveryOffsetAroundPowersOfTwoSplitTheSame)
{
    // Lines whose lengths lie around the sizes where buffers and reads tend to end, followed by
    // each kind of break and by the NUL.
    struct Separator
    {
        std::string_view Bytes;
        bool EmptyEntryBetween;
    };
    const Separator separators[]
        = {{"\r\n", false}, {"\r", false}, {"\n", false}, {"\n\r", true}, {"\r\r", true}};
    TestDirectory directory;
    for (const std::size_t boundary :
         {std::size_t{1} << 12, std::size_t{1} << 16, std::size_t{1} << 17, std::size_t{1} << 20,
          (std::size_t{1} << 20) + (std::size_t{1} << 17)}) {
        for (std::size_t length = boundary - 3; length <= boundary + 1; ++length) {
            const std::string line(length, 'a');
            for (const Separator &separator : separators) {
                WriteFile(directory.File("Lexivander.qry"),
                          line + std::string(separator.Bytes) + "b");
                QueryHistory history;
                ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
                const Entries expected
                    = separator.EmptyEntryBetween ? Entries{line, "", "b"} : Entries{line, "b"};
                ASSERT_EQ(history.Entries(), expected) << "length " << length;
            }
            WriteFile(directory.File("Lexivander.qry"), line + std::string("\0\r\nb", 4));
            QueryHistory history;
            ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
            ASSERT_EQ(history.Entries(), Entries{line}) << "NUL after length " << length;
        }
    }
}

// --- Completion ---

struct CompletionCase
{
    const char *Description;
    Entries List; // code-page bytes, as loaded
    std::string Typed; // UTF-8, as the query box gives it
    std::optional<std::size_t> Expected;
};

class FindCompletionTest : public testing::TestWithParam<CompletionCase>
{};

TEST_P(FindCompletionTest, FindsTheFirstEntryBeginningWithTheText)
{
    const CompletionCase &c = GetParam();
    EXPECT_EQ(HistoryOf(c.List).FindCompletion(c.Typed), c.Expected) << c.Description;
}

// Code-page bytes, written out so that the cases do not rely on the conversion.
const std::string Zhong = "\xD6\xD0"; // 中
const std::string Wen = "\xCE\xC4"; // 文
const std::string Emoji = "\x94\x39\xFC\x36"; // U+1F600

INSTANTIATE_TEST_SUITE_P(
    Cases,
    FindCompletionTest,
    testing::Values(
        CompletionCase{"letters ignore case", {"Cat"}, "c", 0},
        CompletionCase{"first in list order wins", {"cattle", "cat"}, "cat", 0},
        CompletionCase{"typed upper case", {"dog", "cattle"}, "CAT", 1},
        CompletionCase{"no entry begins so", {"dog", "cat"}, "x", std::nullopt},
        CompletionCase{"nothing typed", {"dog"}, "", std::nullopt},
        CompletionCase{"longer than the entry", {"ca"}, "cat", std::nullopt},
        CompletionCase{"a whole double-byte character", {Zhong + Wen}, "中", 0},
        CompletionCase{"an entry holding half of the character", {"\xD6", Zhong + Wen}, "中", 1},
        // 丄 is 81 41 and 乤 is 81 61: their trail bytes are the letters A and a.
        CompletionCase{"a trail byte is not case-folded", {"\x81\x41"}, "乤", std::nullopt},
        CompletionCase{"a trail byte letter matches itself", {"\x81\x41z"}, "丄", 0},
        CompletionCase{"letters after a character fold", {Zhong + "Ab"}, "中a", 0},
        CompletionCase{"an entry holding half of a four-byte character",
                       {"\x94\x39", Emoji + "x"},
                       "\U0001F600",
                       1},
        CompletionCase{"a whole four-byte character", {Emoji + "x"}, "\U0001F600", 0},
        // 謅 is D6 61.
        CompletionCase{"a lead byte and a letter-like trail are one character",
                       {"\xD6"
                        "a"},
                       "謅",
                       0},
        CompletionCase{"full-width letters are not folded", {"\xA3\xE1"}, "Ａ", std::nullopt},
        // The query box never gives such bytes; they stand for no character of the code page.
        CompletionCase{"typed bytes that are not UTF-8 match no code-page bytes",
                       {"\xD6\xD0"
                        "a",
                        "\xD6"},
                       "\xD6",
                       std::nullopt},
        CompletionCase{"empty entries never match", {"", "x"}, "x", 1}));

} // namespace
} // namespace tellaria
