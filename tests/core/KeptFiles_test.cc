// Files the user keeps are never lost: a history that could not be loaded is not replaced, a
// file made read-only is not overwritten, reading settings never fails. The permission cases run
// as an ordinary user, since root reads and writes through any file mode.

#include "core/FileContent.h"
#include "core/ProfileFile.h"
#include "core/QueryHistory.h"
#include "core/SettingsFile.h"
#include "tests/support/FaultText.h"
#include "tests/support/TestDirectory.h"

#include <algorithm>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tellaria {
namespace {

using test::FileState;
using test::HandToOrdinaryUser;
using test::ReadFile;
using test::RunAsOrdinaryUser;
using test::RunInChild;
using test::StateOf;
using test::TestDirectory;
using test::WriteFile;
using Entries = std::vector<std::string>;
using namespace std::string_view_literals;

constexpr off_t Terabyte = off_t{1} << 40;

void MakeSparse(const std::string &path, std::string_view head, off_t size)
{
    WriteFile(path, head);
    if (truncate(path.c_str(), size) != 0)
        throw std::runtime_error("cannot make a sparse file");
}

// The error text, or "loaded" followed by the entries joined by "|".
std::string LoadOutcome(QueryHistory &history, const std::string &directory)
{
    const Status status = history.LoadQueryHistory(directory);
    if (!status.Ok())
        return FaultText(status);
    std::string joined = "loaded";
    for (const std::string &entry : history.Entries())
        joined += "|" + entry;
    return joined;
}

// --- A history that could not be loaded ---

struct UnloadableHistory
{
    const char *Name;
    // Puts the history at `path`; may return a descriptor to hold open during the load.
    int (*Make)(const std::string &path);
    const char *Cause;
    // Takes the cause away again, as the ordinary user; `held` is what Make returned.
    bool (*Mend)(const std::string &path, int held);
};

const UnloadableHistory unloadableHistories[] = {
    {"Unreadable",
     [](const std::string &path) {
         WriteFile(path, "dog\r\ncat\r\nowl\r\n");
         chmod(path.c_str(), 0);
         return -1;
     },
     "Permission denied",
     [](const std::string &path, int) { return chmod(path.c_str(), 0644) == 0; }},
    {"LockedByAWriter",
     [](const std::string &path) {
         WriteFile(path, "dog\r\ncat\r\nowl\r\n");
         const int writer = open(path.c_str(), O_RDWR | O_CLOEXEC);
         flock(writer, LOCK_EX);
         return writer;
     },
     "Resource temporarily unavailable",
     [](const std::string &, int held) { return flock(held, LOCK_UN) == 0; }},
    {"TooLargeToHold",
     [](const std::string &path) {
         MakeSparse(path, "dog\r\ncat\r\nowl\r\n", Terabyte);
         return -1;
     },
     "File too large",
     [](const std::string &path, int) { return truncate(path.c_str(), 15) == 0; }},
};

class UnloadableHistoryTest : public testing::TestWithParam<UnloadableHistory>
{};

TEST_P(UnloadableHistoryTest, IsReportedAndKeptThroughTheNextSave)
{
    TestDirectory directory;
    HandToOrdinaryUser(directory.Slash());
    const std::string path = directory.File(QueryHistoryFileName);
    const int held = GetParam().Make(path);
    const FileState before = StateOf(path);

    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  QueryHistory history;
                  std::string outcome = LoadOutcome(history, directory.Slash());
                  if (!history.LoadFailed() || history.Count() != 0)
                      outcome += " (not counted as failed)";
                  history.RecordQuery("cat");
                  const Status saved = history.SaveQueryHistory(directory.Slash());
                  return saved.Ok() ? outcome : outcome + " (save failed)";
              }),
              "Cannot open file \"" + path + "\". " + GetParam().Cause);
    if (held >= 0)
        close(held);
    EXPECT_EQ(StateOf(path), before);
}

// A load that failed does not stand in the way of a later one that succeeds: what that one
// loads is saved with what is recorded after it.
TEST_P(UnloadableHistoryTest, ALaterGoodLoadIsSavedAgain)
{
    TestDirectory directory;
    HandToOrdinaryUser(directory.Slash());
    const std::string path = directory.File(QueryHistoryFileName);
    const int held = GetParam().Make(path);
    HandToOrdinaryUser(path);

    EXPECT_EQ(RunAsOrdinaryUser([&] {
                  QueryHistory history;
                  std::string outcome = LoadOutcome(history, directory.Slash());
                  if (!GetParam().Mend(path, held))
                      outcome += " (not mended)";
                  outcome += ", then " + LoadOutcome(history, directory.Slash());
                  if (history.LoadFailed())
                      outcome += " (counted as failed)";
                  history.RecordQuery("emu");
                  const Status saved = history.SaveQueryHistory(directory.Slash());
                  return saved.Ok() ? outcome : outcome + ", " + FaultText(saved);
              }),
              "Cannot open file \"" + path + "\". " + GetParam().Cause
                  + ", then loaded|dog|cat|owl");
    if (held >= 0)
        close(held);
    EXPECT_EQ(ReadFile(path), "dog\r\ncat\r\nowl\r\nemu\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         UnloadableHistoryTest,
                         testing::ValuesIn(unloadableHistories),
                         [](const auto &test) { return std::string(test.param.Name); });

// --- A history in Unicode ---

std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

struct UnicodeHistory
{
    const char *Name;
    std::string Bytes;
    Entries Expected;
};

const std::string Zhong = "\xD6\xD0"; // 中 in the code page
const std::string Grin = "\x94\x39\xFC\x36"; // U+1F600 in the code page

// Over a megabyte of `lines`, so that a conversion of a large file is seen whole; `first` is the
// first line as loaded.
UnicodeHistory ReadInPieces(const char *name,
                            std::string_view mark,
                            std::string_view lines,
                            const Entries &entries,
                            const std::string &first)
{
    UnicodeHistory history{name, std::string(mark), {}};
    while (history.Bytes.size() < (3u << 19)) {
        history.Bytes += lines;
        history.Expected.insert(history.Expected.end(), entries.begin(), entries.end());
    }
    history.Expected.front() = first;
    return history;
}

const UnicodeHistory unicodeHistories[] = {
    {"Utf16LittleEndian", Utf16(u"dog\r\ncat\r\nowl\r\n", false), {"dog", "cat", "owl"}},
    {"Utf16BigEndian", Utf16(u"\u4E2D\n\U0001F600\rx", true), {Zhong, Grin, "x"}},
    {"Utf8",
     "\xEF\xBB\xBF"
     "dog\r\n\xE4\xB8\xAD\xF0\x9F\x98\x80\r\n",
     {"dog", Zhong + Grin}},
    {"OnlyTheMark", "\xFF\xFE", {}},
    {"Utf16NulEndsTheContent", Utf16(u"a\0b\r\nc"sv, false), {"a"}},
    // Bytes not valid in the encoding the mark names are read as they are, as ever, so a file
    // that happens to begin with a mark loses nothing to a conversion either.
    {"Utf16UnpairedSurrogate",
     Utf16(u"a\xD800z\r\nb", false),
     {"\xFF\xFE"
      "a"}},
    {"Utf16OddLength",
     "\xFF\xFE"
     "d\r\n",
     {"\xFF\xFE"
      "d"}},
    {"Utf8InvalidByte",
     "\xEF\xBB\xBF"
     "a\xFFz",
     {"\xEF\xBB\xBF"
      "a\xFFz"}},
    {"Utf8CharacterTheCodePageLacks",
     "\xEF\xBB\xBF"
     "\xEE\x9E\x8D",
     {"\xEF\xBB\xBF"
      "\xEE\x9E\x8D"}},
    // A mark not at the start is text like any other.
    {"MarkAfterText", "x\xFF\xFEy", {"x\xFF\xFEy"}},
    ReadInPieces(
        "Utf8ReadInPieces", "\xEF\xBB\xBF", "dog\r\n\xE4\xB8\xAD\r\n", {"dog", Zhong}, "dog"),
    ReadInPieces("Utf8InvalidReadInPieces",
                 "\xEF\xBB\xBF",
                 "dog\r\n\xFF\r\n",
                 {"dog", "\xFF"},
                 "\xEF\xBB\xBF"
                 "dog"),
};

class UnicodeHistoryTest : public testing::TestWithParam<UnicodeHistory>
{};

TEST_P(UnicodeHistoryTest, LoadsWholeAndSavesInTheCodePage)
{
    TestDirectory directory;
    const std::string path = directory.File(QueryHistoryFileName);
    WriteFile(path, GetParam().Bytes);
    QueryHistory history;
    ASSERT_TRUE(history.LoadQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(history.Entries(), GetParam().Expected);
    ASSERT_TRUE(history.SaveQueryHistory(directory.Slash()).Ok());
    EXPECT_EQ(ReadFile(path), SerializeQueryHistory(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         UnicodeHistoryTest,
                         testing::ValuesIn(unicodeHistories),
                         [](const auto &test) { return std::string(test.param.Name); });

// --- Read-only files ---

struct KeptFile
{
    const char *Name;
    const char *FileName;
    const char *Content;
    // Changes the file the way the program does; returns the error text, or "saved".
    std::string (*Change)(const std::string &directory);
};

std::string Outcome(const Status &status)
{
    return status.Ok() ? "saved" : FaultText(status);
}

const KeptFile keptFiles[] = {
    {"History", "Lexivander.qry", "old",
     [](const std::string &directory) {
         QueryHistory history;
         const Status loaded = history.LoadQueryHistory(directory);
         if (!loaded.Ok())
             return FaultText(loaded);
         history.RecordQuery("cat");
         return Outcome(history.SaveQueryHistory(directory));
     }},
    {"Settings", "Lexivanedr.ini", "[Dictionary]\r\nID=2\r\n",
     [](const std::string &directory) {
         return Outcome(
             SettingsFile(directory + "Lexivanedr.ini").WriteIntValue("Dictionary", "ID", 3));
     }},
};

struct ModeCase
{
    mode_t Mode;
    bool Replaced;
};

class ReadOnlyFileTest : public testing::TestWithParam<std::tuple<KeptFile, ModeCase>>
{};

TEST_P(ReadOnlyFileTest, IsReplacedOnlyWhenTheUserMayWriteIt)
{
    const auto &[file, mode] = GetParam();
    TestDirectory directory;
    HandToOrdinaryUser(directory.Slash());
    const std::string path = directory.File(file.FileName);
    WriteFile(path, file.Content);
    // Owned by the user who saves, as a file the user pinned is.
    HandToOrdinaryUser(path);
    ASSERT_EQ(chmod(path.c_str(), mode.Mode), 0);
    const FileState before = StateOf(path);

    const std::string outcome = RunAsOrdinaryUser([&] { return file.Change(directory.Slash()); });
    if (mode.Replaced) {
        EXPECT_EQ(outcome, "saved");
        EXPECT_NE(StateOf(path).Bytes, before.Bytes);
        EXPECT_EQ(StateOf(path).Mode, before.Mode);
    } else {
        EXPECT_EQ(outcome, "Cannot create file \"" + path + "\". Permission denied");
        EXPECT_EQ(StateOf(path), before);
    }
    EXPECT_EQ(test::CountEntries(directory.Slash()), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ReadOnlyFileTest,
                         testing::Combine(testing::ValuesIn(keptFiles),
                                          testing::Values(ModeCase{0444, false},
                                                          ModeCase{0400, false},
                                                          ModeCase{0644, true})),
                         [](const auto &test) {
                             return std::string(std::get<0>(test.param).Name) + "Mode"
                                    + std::to_string(std::get<1>(test.param).Mode);
                         });

// --- Settings that cannot be read whole ---

struct UnreadableSettings
{
    const char *Name;
    void (*Make)(const std::string &path);
    // What writing then reports; empty when the write goes through.
    const char *WriteError;
    std::int32_t Read;
};

const std::string StoredWidth = "[Form]\r\nWidth=640\r\n";

const UnreadableSettings unreadableSettings[] = {
    {"Terabyte", [](const std::string &path) { MakeSparse(path, StoredWidth, Terabyte); },
     "File too large", -7},
    {"OneByteOverTheLimit",
     [](const std::string &path) { MakeSparse(path, StoredWidth, ProfileFileSizeLimit + 1); },
     "File too large", -7},
    {"Unreadable",
     [](const std::string &path) {
         WriteFile(path, StoredWidth);
         chmod(path.c_str(), 0);
     },
     "Permission denied", -7},
    // The other side of the limit: a file that stays within it is read, and written.
    {"WithinTheLimit",
     [](const std::string &path) {
         MakeSparse(path, StoredWidth + "[Padding]\r\n", ProfileFileSizeLimit - 64);
     },
     "", 640},
    // The limit is 16 MiB, stated as a number: a bound that moved either way fails one of these.
    {"SixteenMebibytesAndOneByte",
     [](const std::string &path) { MakeSparse(path, StoredWidth, (off_t{16} << 20) + 1); },
     "File too large", -7},
    {"JustUnderSixteenMebibytes",
     [](const std::string &path) {
         MakeSparse(path, StoredWidth + "[Padding]\r\n", (off_t{16} << 20) - 64);
     },
     "", 640},
};

class UnreadableSettingsTest : public testing::TestWithParam<UnreadableSettings>
{};

TEST_P(UnreadableSettingsTest, ReadsTheDefaultAndKeepsTheFile)
{
    const UnreadableSettings &settings = GetParam();
    TestDirectory directory;
    HandToOrdinaryUser(directory.Slash());
    const std::string path = directory.File(SettingsFileName);
    settings.Make(path);
    HandToOrdinaryUser(path);
    const FileState before = StateOf(path);

    const std::string outcome = RunAsOrdinaryUser([&] {
        SettingsFile file(path);
        const std::string result = std::to_string(file.ReadIntValue("Form", "Width", -7)) + ", ";
        const Status written = file.WriteIntValue("Form", "height", 480);
        if (!written.Ok())
            return result + FaultText(written);
        return result + std::to_string(file.ReadIntValue("Form", "height", -7));
    });
    if (*settings.WriteError == '\0') {
        EXPECT_EQ(outcome, std::to_string(settings.Read) + ", 480");
    } else {
        EXPECT_EQ(outcome, std::to_string(settings.Read) + ", Cannot create file \"" + path + "\". "
                               + settings.WriteError);
        EXPECT_EQ(StateOf(path), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         UnreadableSettingsTest,
                         testing::ValuesIn(unreadableSettings),
                         [](const auto &test) { return std::string(test.param.Name); });

// --- Reading a whole file ---

struct ReadCase
{
    const char *Name;
    void (*Make)(const std::string &path);
    std::size_t Limit;
    int Error;
    std::string_view Bytes;
};

const ReadCase readCases[] = {
    {"Missing", [](const std::string &) {}, 10, ENOENT, ""},
    {"Empty", [](const std::string &path) { WriteFile(path, ""); }, 10, 0, ""},
    {"AtTheLimit", [](const std::string &path) { WriteFile(path, "abc"); }, 3, 0, "abc"},
    {"OverTheLimit", [](const std::string &path) { WriteFile(path, "abcd"); }, 3, EFBIG, ""},
    {"NoLimitToSpeakOf", [](const std::string &path) { WriteFile(path, "a\0b"sv); },
     std::numeric_limits<std::size_t>::max(), 0, "a\0b"sv},
    {"Directory", [](const std::string &path) { mkdir(path.c_str(), 0755); }, 10, EISDIR, ""},
    {"Fifo", [](const std::string &path) { mkfifo(path.c_str(), 0644); }, 10, EINVAL, ""},
    // A device that never ends is not read at all.
    {"DevZero",
     [](const std::string &path) {
         if (symlink("/dev/zero", path.c_str()) != 0)
             ADD_FAILURE() << "cannot link " << path;
     },
     10, EINVAL, ""},
};

class ReadWholeFileTest : public testing::TestWithParam<ReadCase>
{};

TEST_P(ReadWholeFileTest, GivesTheBytesOrTheCause)
{
    TestDirectory directory;
    const std::string path = directory.File("file");
    GetParam().Make(path);
    const FileRead read = ReadWholeFile(path, GetParam().Limit, ReadLock::Shared);
    EXPECT_EQ(read.Error, GetParam().Error);
    EXPECT_EQ(read.Bytes.View(), GetParam().Bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ReadWholeFileTest,
                         testing::ValuesIn(readCases),
                         [](const auto &test) { return std::string(test.param.Name); });

// A file of some megabytes, whose size is not a multiple of any buffer, comes whole.
TEST(ReadWholeFile, ReadsSeveralMegabytesWhole)
{
    TestDirectory directory;
    const std::string path = directory.File("file");
    for (const std::size_t size : {std::size_t{10}, (std::size_t{3} << 20) + 7}) {
        std::string content(size, 'x');
        for (std::size_t at = 0; at < size; at += 4093)
            content[at] = static_cast<char>('a' + at % 26);
        WriteFile(path, content);
        const FileRead read = ReadWholeFile(path, size, ReadLock::Shared);
        ASSERT_EQ(read.Error, 0);
        EXPECT_EQ(read.Bytes.View(), content);
    }
}

// A file locked by a writer is refused without being read; without the shared lock asked, it is
// read as any other.
TEST(ReadWholeFile, OnlyASharedReadIsRefusedByAWriter)
{
    TestDirectory directory;
    const std::string path = directory.File("file");
    WriteFile(path, std::string(4u << 20, 'x'));
    const int writer = open(path.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(flock(writer, LOCK_EX), 0);
    EXPECT_EQ(RunInChild([&] {
                  return std::to_string(ReadWholeFile(path, 8u << 20, ReadLock::Shared).Error);
              }),
              std::to_string(EWOULDBLOCK));
    EXPECT_EQ(RunInChild([&] {
                  return std::to_string(ReadWholeFile(path, 8u << 20, ReadLock::None).Bytes.Size);
              }),
              std::to_string(4u << 20));
    close(writer);
}

TEST(ReadWholeFile, AFileThatGrowsPastTheLimitWhileReadIsRefused)
{
    // /proc files report a size of 0 but hold more: the read must grow and still stop at the
    // limit.
    const FileRead small = ReadWholeFile("/proc/self/maps", 16, ReadLock::None);
    EXPECT_EQ(small.Error, EFBIG);
    const FileRead whole = ReadWholeFile("/proc/self/maps", 1 << 24, ReadLock::None);
    EXPECT_EQ(whole.Error, 0);
    EXPECT_GT(whole.Bytes.Size, 16u);
}

} // namespace
} // namespace tellaria
