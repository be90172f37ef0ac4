#include "core/SiteList.h"

#include "core/ProfileFile.h"
#include "tests/support/TestDirectory.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

using test::ReadFile;
using test::TestDirectory;
using test::WriteFile;

const SiteTable Own{{"甲百科", "http://a.example/w/{utf8}"},
                    {"维基百科（中文）", "http://zh.wikipedia.org/zh-cn/"}};

TEST(SiteList, AFileWithoutTheSectionGivesTheShippedFive)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    WriteFile(path, "[Form]\r\nwidth=700\r\n");
    const SiteListReading reading = ReadSiteList(path);
    EXPECT_EQ(reading.Sites, BuildSiteTable());
    EXPECT_FALSE(reading.Stored);
    EXPECT_EQ(reading.Problem, std::nullopt);
}

TEST(SiteList, AListOfItsOwnRoundTripsInTheCodePageBesideTheOtherKeys)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    WriteFile(path, "[Form]\r\nwidth=700\r\n");
    ASSERT_TRUE(WriteSiteList(path, Own).Ok());
    const std::string bytes = ReadFile(path);
    // The other keys stay as they were; the names are in the code page (甲 is B C C D there).
    EXPECT_TRUE(
        bytes.starts_with("[Form]\r\nwidth=700\r\n[Encyclopedias]\r\nCount=2\r\nName1=\xBC\xD7"))
        << bytes;
    const SiteListReading reading = ReadSiteList(path);
    EXPECT_EQ(reading.Sites, Own);
    EXPECT_TRUE(reading.Stored);
    EXPECT_EQ(reading.Problem, std::nullopt);
    // A shorter list leaves no entry of the longer one behind.
    ASSERT_TRUE(WriteSiteList(path, {Own[0]}).Ok());
    EXPECT_EQ(ReadSiteList(path).Sites, SiteTable{Own[0]});
    EXPECT_EQ(ReadFile(path).find("Name2"), std::string::npos);
}

// What the user typed comes back as typed: quotes and blanks at the ends are no file syntax,
// and the longest template is read whole whatever its letters.
TEST(SiteList, NamesAndTemplatesComeBackWhole)
{
    std::string longChinese = "http://a.example/";
    while (longChinese.size() + 3 <= 17 + (LongestSiteTemplate - 17) / 2 * 3)
        longChinese += "中";
    const SiteTable sites{{"\"甲\"", "http://a.example/'{utf8}'"},
                          {"'乙'", "http://b.example/\"x\""},
                          {"丙 ", longChinese},
                          {"\"丁", "http://d.example/ "}};
    ASSERT_EQ(SiteListError({{sites[0].Name, sites[0].Url},
                             {sites[1].Name, sites[1].Url},
                             {sites[2].Name, sites[2].Url},
                             {sites[3].Name, sites[3].Url}})
                  .Fault,
              SiteFault::None);
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    ASSERT_TRUE(WriteSiteList(path, sites).Ok());
    const SiteListReading reading = ReadSiteList(path);
    EXPECT_EQ(reading.Sites, sites);
    EXPECT_EQ(reading.Problem, std::nullopt);
}

// A value that would break its line never reaches the file, whoever asks.
TEST(SiteList, ALineBreakInAValueWritesNothing)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    WriteFile(path, "[Dictionary]\r\nID=1\r\n");
    const Status written
        = WriteSiteList(path, {{"x\r\n[Dictionary]\r\nID=3", "http://a.example/"}});
    EXPECT_FALSE(written.Ok());
    EXPECT_FALSE(WritePrivateProfileString("Form", "width", "1\nHeight=5", path).Ok());
    EXPECT_EQ(ReadFile(path), "[Dictionary]\r\nID=1\r\n");
}

TEST(SiteList, TheShippedFiveRemoveTheSectionAndNothingElse)
{
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    WriteFile(path, "[Form]\r\nwidth=700\r\n[View]\r\nSideBySide=1\r\n");
    ASSERT_TRUE(WriteSiteList(path, Own).Ok());
    ASSERT_TRUE(WriteSiteList(path, BuildSiteTable()).Ok());
    EXPECT_EQ(ReadFile(path), "[Form]\r\nwidth=700\r\n[View]\r\nSideBySide=1\r\n");
}

struct BrokenCase
{
    const char *name;
    std::string section;
    std::size_t sound; // entries read
    std::optional<SiteListProblem> problem;
};

class BrokenSiteListTest : public testing::TestWithParam<BrokenCase>
{};

TEST_P(BrokenSiteListTest, IsReadAsFarAsItIsSound)
{
    const BrokenCase &c = GetParam();
    TestDirectory directory;
    const std::string path = directory.File("Lexivanedr.ini");
    WriteFile(path, "[Encyclopedias]\r\n" + c.section);
    const std::string before = ReadFile(path);
    const SiteListReading reading = ReadSiteList(path);
    EXPECT_TRUE(reading.Stored);
    EXPECT_EQ(reading.Problem, c.problem);
    if (c.sound == 0)
        EXPECT_EQ(reading.Sites, BuildSiteTable());
    else
        EXPECT_EQ(reading.Sites.size(), c.sound);
    // Reading never writes.
    EXPECT_EQ(ReadFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    BrokenSiteListTest,
    testing::Values(
        BrokenCase{"Sound", "Count=1\r\nName1=a\r\nUrl1=http://a.example/\r\n", 1, std::nullopt},
        BrokenCase{"CountBeyondTheEntries", "Count=3\r\nName1=a\r\nUrl1=http://a.example/\r\n", 1,
                   SiteListProblem{1, 1, {SiteFault::EmptyName}}},
        BrokenCase{"ARefusedAddressEndsTheList",
                   "Count=3\r\nName1=a\r\nUrl1=http://a.example/\r\nName2=b\r\nUrl2=file:///x\r\n"
                   "Name3=c\r\nUrl3=http://c.example/\r\n",
                   1, SiteListProblem{1, 1, {SiteFault::NotHttp, "", "b"}}},
        BrokenCase{"ANameUsedTwice",
                   "Count=2\r\nName1=a\r\nUrl1=http://a.example/\r\nName2=a\r\n"
                   "Url2=http://b.example/\r\n",
                   1, SiteListProblem{1, 0, {SiteFault::NameTaken, "a"}}},
        BrokenCase{"NothingSoundGivesTheShippedFive", "Count=2\r\nName1=\r\n", 0,
                   SiteListProblem{0, 1, {SiteFault::EmptyName}}},
        BrokenCase{"CountZeroGivesTheShippedFive", "Count=0\r\n", 0, std::nullopt},
        BrokenCase{"MoreThanTheMost",
                   [] {
                       std::string section = "Count=21\r\n";
                       for (int i = 1; i <= 21; ++i)
                           section += "Name" + std::to_string(i) + "=s" + std::to_string(i)
                                      + "\r\nUrl" + std::to_string(i) + "=http://a.example/\r\n";
                       return section;
                   }(),
                   20, SiteListProblem{20, 0, {SiteFault::TooManySites}}}),
    [](const testing::TestParamInfo<BrokenCase> &row) { return row.param.name; });

struct TickCase
{
    const char *name;
    int ticks;
    std::vector<int> origins;
    int expected;
};

class MoveSiteTicksTest : public testing::TestWithParam<TickCase>
{};

TEST_P(MoveSiteTicksTest, TicksFollowTheirRows)
{
    const TickCase &c = GetParam();
    EXPECT_EQ(MoveSiteTicks(c.ticks, c.origins), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    MoveSiteTicksTest,
    testing::Values(TickCase{"Unchanged", 0b10101, {0, 1, 2, 3, 4}, 0b10101},
                    // The last row moved to the top: its tick goes with it.
                    TickCase{"MovedToTheTop", 0b10000, {4, 0, 1, 2, 3}, 0b00001},
                    TickCase{"ARowRemoved", 0b00110, {0, 2, 3, 4}, 0b00010},
                    TickCase{"AnAddedRowIsNotTicked", 0b11111, {0, 1, 2, 3, 4, -1}, 0b011111},
                    TickCase{"BitsOfRowsThatWentAreDropped", 0b11111, {0}, 0b1},
                    TickCase{"NoRowsLeft", 0b11111, {}, 0},
                    TickCase{"ARestoredRowIsTicked", 0, {RestoredSiteTicked, 0}, 0b01}),
    [](const testing::TestParamInfo<TickCase> &row) { return row.param.name; });

TEST(ProfileRemoveSection, TakesOnlyTheFirstSectionOfThatName)
{
    EXPECT_EQ(ProfileRemoveSection("[A]\r\nk=1\r\n[b]\r\nx=2\r\n[C]\r\n", "B"),
              "[A]\r\nk=1\r\n[C]\r\n");
    EXPECT_EQ(ProfileRemoveSection("[A]\nk=1\n[B]\nx=2", "b"), "[A]\nk=1\n");
    EXPECT_EQ(ProfileRemoveSection("[A]\r\nk=1\r\n", "B"), "[A]\r\nk=1\r\n");
    EXPECT_EQ(ProfileRemoveSection("[B]\r\n[B]\r\ny=1\r\n", "B"), "[B]\r\ny=1\r\n");
}

} // namespace
} // namespace tellaria
