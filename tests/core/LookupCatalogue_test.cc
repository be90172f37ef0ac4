#include "core/LookupCatalogue.h"

#include <climits>
#include <gtest/gtest.h>

namespace tellaria {
namespace {

const std::string Encyclopaedias = "百科全书";
const std::string Idiom = "成语词典";
const std::string EnglishChinese = "英汉汉英词典";
const std::string Bing = "微软Bing智能英汉词典";

const std::string Wikipedia = "维基百科（中文）";
const std::string Hudong = "互动百科（中文）";
const std::string Columbia = "哥伦比亚百科（英文）";

const SiteChecks AllChecked = {true, true, true, true, true};

struct ModeCase
{
    int Index;
    LookupMode Mode;
    std::string Label;
};

class LookupModeTest : public testing::TestWithParam<ModeCase>
{};

TEST_P(LookupModeTest, SelectorIndexGivesTheModeAndItsLabel)
{
    EXPECT_EQ(LookupModeFromIndex(GetParam().Index), GetParam().Mode);
    EXPECT_EQ(LookupModeLabel(GetParam().Mode), GetParam().Label);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         LookupModeTest,
                         testing::Values(ModeCase{0, LookupMode::Encyclopaedias, Encyclopaedias},
                                         ModeCase{1, LookupMode::IdiomDictionary, Idiom},
                                         ModeCase{2, LookupMode::EnglishChinese, EnglishChinese},
                                         ModeCase{3, LookupMode::BingDictionary, Bing},
                                         ModeCase{-1, LookupMode::None, ""},
                                         ModeCase{4, LookupMode::None, ""},
                                         ModeCase{-2, LookupMode::None, ""},
                                         ModeCase{INT_MAX, LookupMode::None, ""}));

TEST(LookupCatalogue, SiteTableHoldsTheFiveEncyclopaediasInOrder)
{
    const SiteTable sites = BuildSiteTable();
    EXPECT_EQ(sites[0].Name, Wikipedia);
    EXPECT_EQ(sites[1].Name, "百度百科（中文）");
    EXPECT_EQ(sites[2].Name, Hudong);
    EXPECT_EQ(sites[3].Name, "不列颠百科（英文）");
    EXPECT_EQ(sites[4].Name, Columbia);
    EXPECT_EQ(sites[0].Url, "http://zh.wikipedia.org/zh-cn/");
    EXPECT_EQ(sites[1].Url, "http://baike.baidu.com/list-php/dispose/searchword.php/?&pic=1&word=");
    EXPECT_EQ(sites[2].Url, "http://www.baike.com/wiki/");
    EXPECT_EQ(sites[3].Url, "http://www.britannica.com/search?ct=&query=");
    EXPECT_EQ(sites[4].Url, "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=");
}

struct PlanCase
{
    const char *Description;
    LookupMode Mode;
    std::string Term;
    SiteChecks Checked;
    QueryPlan Expected;
};

class MakeQueryPlanTest : public testing::TestWithParam<PlanCase>
{};

TEST_P(MakeQueryPlanTest, BuildsThePages)
{
    const PlanCase &c = GetParam();
    EXPECT_EQ(MakeQueryPlan(c.Mode, c.Term, c.Checked, BuildSiteTable()), c.Expected)
        << c.Description;
}

PageRequest Page(std::string title, std::string url, bool filtered)
{
    return PageRequest{std::move(title), std::move(url), filtered};
}

const std::string IdiomUrl = "http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=";
const std::string EnglishChineseUrl = "http://www.iciba.com/";
const std::string BingUrl = "http://dict.bing.com.cn/?FORM=CHOT20&q=";

INSTANTIATE_TEST_SUITE_P(
    Cases,
    MakeQueryPlanTest,
    testing::Values(
        PlanCase{"rows 0, 2 and 4 checked, in row order, unfiltered",
                 LookupMode::Encyclopaedias,
                 "cat",
                 {true, false, true, false, true},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/cat", false),
                  Page(Hudong, "http://www.baike.com/wiki/cat", false),
                  Page(Columbia,
                       "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=cat",
                       false)}},
        PlanCase{"no row checked", LookupMode::Encyclopaedias, "cat", {}, {}},
        PlanCase{"no mode means the encyclopaedias",
                 LookupMode::None,
                 "cat",
                 {true, false, false, false, false},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/cat", false)}},
        PlanCase{"encyclopaedia terms are appended unencoded, blanks included",
                 LookupMode::Encyclopaedias,
                 " a b ",
                 {true, false, false, false, false},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/ a b ", false)}},
        PlanCase{"encyclopaedia terms are appended as typed",
                 LookupMode::Encyclopaedias,
                 "中",
                 {false, false, false, false, true},
                 {Page(Columbia,
                       "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=中",
                       false)}},
        PlanCase{"Bing encodes blanks as +",
                 LookupMode::BingDictionary,
                 "a b",
                 AllChecked,
                 {Page(Bing, BingUrl + "a+b", true)}},
        PlanCase{"English-Chinese appends a slash before encoding",
                 LookupMode::EnglishChinese,
                 "a b",
                 AllChecked,
                 {Page(EnglishChinese, EnglishChineseUrl + "a+b%2F", true)}},
        PlanCase{"idiom mode encodes the GBK bytes",
                 LookupMode::IdiomDictionary,
                 "中",
                 AllChecked,
                 {Page(Idiom, IdiomUrl + "%D6%D0", true)}},
        PlanCase{"idiom mode encodes the GB18030 bytes of a character GBK lacks",
                 LookupMode::IdiomDictionary,
                 "\U0001F600",
                 AllChecked,
                 {Page(Idiom, IdiomUrl + "%949%FC6", true)}},
        PlanCase{"Bing mode encodes the UTF-8 bytes",
                 LookupMode::BingDictionary,
                 "中",
                 AllChecked,
                 {Page(Bing, BingUrl + "%E4%B8%AD", true)}},
        PlanCase{"English-Chinese mode encodes the UTF-8 bytes",
                 LookupMode::EnglishChinese,
                 "中",
                 AllChecked,
                 {Page(EnglishChinese, EnglishChineseUrl + "%E4%B8%AD%2F", true)}},
        PlanCase{"a dictionary mode ignores the check list",
                 LookupMode::IdiomDictionary,
                 "C++",
                 {},
                 {Page(Idiom, IdiomUrl + "C%2B%2B", true)}},
        PlanCase{"the empty term still makes a page",
                 LookupMode::EnglishChinese,
                 "",
                 {},
                 {Page(EnglishChinese, EnglishChineseUrl + "%2F", true)}}));

// A list of the user's own: each ticked row's template filled with the term; rows beyond the
// checks are not ticked.
TEST(LookupCatalogue, AListOfTheUsersOwnFillsEachTemplate)
{
    const SiteTable sites{{"甲", "http://a.example/?q={utf8}"},
                          {"乙", "https://b.example/{term}/x"},
                          {"丙", "http://c.example/?g={gb18030}"}};
    const QueryPlan expected{{"甲", "http://a.example/?q=%E4%B8%AD+x", false},
                             {"丙", "http://c.example/?g=%D6%D0+x", false}};
    EXPECT_EQ(MakeQueryPlan(LookupMode::Encyclopaedias, "中 x", {true, false, true}, sites),
              expected);
    EXPECT_EQ(MakeQueryPlan(LookupMode::Encyclopaedias, "中 x", {true}, sites).size(), 1U);
}

// Every shipped site gets the whole term: what would end the path or the query is escaped,
// letters, digits and Chinese stay as typed.
TEST(LookupCatalogue, ShippedSitesGetAWholeTermAndKeepLettersAsTyped)
{
    const QueryPlan plan = MakeQueryPlan(LookupMode::Encyclopaedias, "C# & C++ 100%/猫", AllChecked,
                                         BuildSiteTable());
    ASSERT_EQ(plan.size(), 5U);
    EXPECT_EQ(plan[0].Url, "http://zh.wikipedia.org/zh-cn/C%23 & C++ 100%25%2F猫");
    EXPECT_EQ(plan[1].Url, "http://baike.baidu.com/list-php/dispose/searchword.php/"
                           "?&pic=1&word=C%23 %26 C%2B%2B 100%25/猫");
    EXPECT_EQ(plan[2].Url, "http://www.baike.com/wiki/C%23 & C++ 100%25%2F猫");
    EXPECT_EQ(plan[4].Url, "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1"
                           "&query=C%23 %26 C%2B%2B 100%25/猫");
    for (const PageRequest &request : plan)
        EXPECT_EQ(request.Fault, AddressFault::None);
}

TEST(LookupCatalogue, APageWhoseHostTheTermWouldMoveCarriesTheFault)
{
    const SiteTable sites{{"甲", "http://own.test"}, {"乙", "http://b.example/{utf8}"}};
    const QueryPlan plan
        = MakeQueryPlan(LookupMode::Encyclopaedias, "@evil.test/x", {true, true}, sites);
    ASSERT_EQ(plan.size(), 2U);
    EXPECT_EQ(plan[0].Fault, AddressFault::HostMoved);
    EXPECT_EQ(plan[0].Url, "http://own.test/");
    EXPECT_EQ(plan[1].Fault, AddressFault::None);
    EXPECT_EQ(plan[1].Url, "http://b.example/%40evil%2Etest%2Fx");
}

TEST(BlankTerm, OnlySpacesAndControlCharactersAreBlank)
{
    for (const char *blank : {"", " ", "   ", "\t", " \r\n ", "\x1F", "\x01 \x20"})
        EXPECT_TRUE(IsBlankTerm(blank)) << blank;
    // Anything else counts wherever it stands; the bytes of a character beyond ASCII too, a
    // full-width space (U+3000) included.
    for (const char *term : {"a", " a ", "\t.\t", "\x7F", "中", "\xE3\x80\x80", "\xC2\xA0"})
        EXPECT_FALSE(IsBlankTerm(term)) << term;
}

TEST(AdServerFilter, RefusesUrlsContainingThePrefixCaseSensitively)
{
    EXPECT_TRUE(IsAdServerNavigation("http://pagead2.googlesyndication.com/pagead/show_ads.js"));
    EXPECT_TRUE(IsAdServerNavigation("about:blank#http://pagead2.googlesyndication.com"));
    EXPECT_FALSE(IsAdServerNavigation("http://PAGEAD2.googlesyndication.com/"));
    EXPECT_FALSE(IsAdServerNavigation("https://pagead2.googlesyndication.com/"));
    EXPECT_FALSE(IsAdServerNavigation("http://www.iciba.com/cat%2F"));
    EXPECT_TRUE(IsAdServerNavigation("http://a.example/?r=http://pagead2.googlesyndication.com"));
    EXPECT_FALSE(IsAdServerNavigation("http://pagead2.googlesyndication.co/x"));
}

} // namespace
} // namespace tellaria
