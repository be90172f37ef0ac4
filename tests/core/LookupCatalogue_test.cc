#include "core/LookupCatalogue.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

// The labels' GB18030 (GBK) bytes, written out so that the test does not rely on the conversion
// under test.
const std::string Encyclopaedias = "\xB0\xD9\xBF\xC6\xC8\xAB\xCA\xE9"; // 百科全书
const std::string Idiom = "\xB3\xC9\xD3\xEF\xB4\xCA\xB5\xE4"; // 成语词典
const std::string EnglishChinese = "\xD3\xA2\xBA\xBA\xBA\xBA\xD3\xA2\xB4\xCA\xB5\xE4";
const std::string Bing = "\xCE\xA2\xC8\xED"
                         "Bing"
                         "\xD6\xC7\xC4\xDC\xD3\xA2\xBA\xBA\xB4\xCA\xB5\xE4";

const std::string Wikipedia = "\xCE\xAC\xBB\xF9\xB0\xD9\xBF\xC6\xA3\xA8\xD6\xD0\xCE\xC4\xA3\xA9";
const std::string Hudong = "\xBB\xA5\xB6\xAF\xB0\xD9\xBF\xC6\xA3\xA8\xD6\xD0\xCE\xC4\xA3\xA9";
const std::string Columbia
    = "\xB8\xE7\xC2\xD7\xB1\xC8\xD1\xC7\xB0\xD9\xBF\xC6\xA3\xA8\xD3\xA2\xCE\xC4\xA3\xA9";

constexpr SiteChecks AllChecked = {true, true, true, true, true};

TEST(LookupCatalogue, ModeLabelsAreTheSelectorTextsInAnsiBytes)
{
    EXPECT_EQ(LookupModeLabel(0), Encyclopaedias);
    EXPECT_EQ(LookupModeLabel(1), Idiom);
    EXPECT_EQ(LookupModeLabel(2), EnglishChinese);
    EXPECT_EQ(LookupModeLabel(3), Bing);
    EXPECT_EQ(LookupModeLabel(-1), "");
    EXPECT_EQ(LookupModeLabel(4), "");
}

TEST(LookupCatalogue, SiteTableHoldsTheFiveEncyclopaediasInOrder)
{
    const SiteTable sites = BuildSiteTable();
    EXPECT_EQ(sites[0].Name, Wikipedia);
    EXPECT_EQ(sites[1].Name, "\xB0\xD9\xB6\xC8\xB0\xD9\xBF\xC6\xA3\xA8\xD6\xD0\xCE\xC4\xA3\xA9");
    EXPECT_EQ(sites[2].Name, Hudong);
    EXPECT_EQ(sites[3].Name,
              "\xB2\xBB\xC1\xD0\xB5\xDF\xB0\xD9\xBF\xC6\xA3\xA8\xD3\xA2\xCE\xC4\xA3\xA9");
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
    std::string Mode;
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
                 Encyclopaedias,
                 "cat",
                 {true, false, true, false, true},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/cat", false),
                  Page(Hudong, "http://www.baike.com/wiki/cat", false),
                  Page(Columbia,
                       "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=cat",
                       false)}},
        PlanCase{"no row checked", Encyclopaedias, "cat", {}, {}},
        PlanCase{"empty mode text means the encyclopaedias",
                 "",
                 "cat",
                 {true, false, false, false, false},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/cat", false)}},
        PlanCase{"unknown mode text means the encyclopaedias",
                 "Idiom",
                 "cat",
                 {false, false, true, false, false},
                 {Page(Hudong, "http://www.baike.com/wiki/cat", false)}},
        PlanCase{"a label with a trailing blank is not that mode",
                 Idiom + " ",
                 "cat",
                 {true, false, false, false, false},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/cat", false)}},
        PlanCase{"encyclopaedia terms are appended unencoded, blanks included",
                 Encyclopaedias,
                 " a b ",
                 {true, false, false, false, false},
                 {Page(Wikipedia, "http://zh.wikipedia.org/zh-cn/ a b ", false)}},
        PlanCase{"encyclopaedia terms keep their ANSI bytes",
                 Encyclopaedias,
                 "\xD6\xD0",
                 {false, false, false, false, true},
                 {Page(Columbia,
                       "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query=\xD6\xD0",
                       false)}},
        PlanCase{"Bing encodes blanks as +",
                 Bing,
                 "a b",
                 AllChecked,
                 {Page(Bing, BingUrl + "a+b", true)}},
        PlanCase{"English-Chinese appends a slash before encoding",
                 EnglishChinese,
                 "a b",
                 AllChecked,
                 {Page(EnglishChinese, EnglishChineseUrl + "a+b%2F", true)}},
        PlanCase{"idiom mode encodes the ANSI bytes",
                 Idiom,
                 "\xD6\xD0",
                 AllChecked,
                 {Page(Idiom, IdiomUrl + "%D6%D0", true)}},
        PlanCase{"Bing mode encodes the UTF-8 bytes",
                 Bing,
                 "\xD6\xD0",
                 AllChecked,
                 {Page(Bing, BingUrl + "%E4%B8%AD", true)}},
        PlanCase{"English-Chinese mode encodes the UTF-8 bytes",
                 EnglishChinese,
                 "\xD6\xD0",
                 AllChecked,
                 {Page(EnglishChinese, EnglishChineseUrl + "%E4%B8%AD%2F", true)}},
        PlanCase{"a dictionary mode ignores the check list",
                 Idiom,
                 "C++",
                 {},
                 {Page(Idiom, IdiomUrl + "C%2B%2B", true)}},
        PlanCase{"the empty term still makes a page",
                 EnglishChinese,
                 "",
                 {},
                 {Page(EnglishChinese, EnglishChineseUrl + "%2F", true)}}));

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
