#include "core/SiteTemplate.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

struct ExpandCase
{
    const char *name;
    const char *pattern;
    const char *term;
    const char *expected;
};

class ExpandSiteTemplateTest : public testing::TestWithParam<ExpandCase>
{};

TEST_P(ExpandSiteTemplateTest, PutsTheTermWhereThePatternSays)
{
    const ExpandCase &c = GetParam();
    EXPECT_EQ(ExpandSiteTemplate(c.pattern, c.term), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    ExpandSiteTemplateTest,
    testing::Values(
        // The shipped sites' addresses: the term appended as typed.
        ExpandCase{"NoPlaceholderAppends", "http://zh.wikipedia.org/zh-cn/", "big cat",
                   "http://zh.wikipedia.org/zh-cn/big cat"},
        ExpandCase{"TermAsTyped", "https://a.example/w/{term}/x", "猫 cat",
                   "https://a.example/w/猫 cat/x"},
        ExpandCase{"Utf8PercentEncoded", "http://a.example/?q={utf8}", "猫 c",
                   "http://a.example/?q=%E7%8C%AB+c"},
        ExpandCase{"Gb18030PercentEncoded", "http://a.example/?q={gb18030}", "中文",
                   "http://a.example/?q=%D6%D0%CE%C4"},
        ExpandCase{"SeveralPlaceholders", "http://a.example/{term}?q={utf8}&g={gb18030}", "中",
                   "http://a.example/中?q=%E4%B8%AD&g=%D6%D0"},
        ExpandCase{"TheSamePlaceholderTwice", "http://a.example/{utf8}/{utf8}", "a b",
                   "http://a.example/a+b/a+b"},
        // Placeholders are matched exactly: other letter cases are text (and refused on entry).
        ExpandCase{"PlaceholdersAreCaseSensitive", "http://a.example/{TERM}", "x",
                   "http://a.example/{TERM}x"},
        ExpandCase{"EmptyTerm", "http://a.example/?q={utf8}", "", "http://a.example/?q="}),
    [](const testing::TestParamInfo<ExpandCase> &row) { return row.param.name; });

struct ErrorCase
{
    const char *name;
    std::string pattern;
    bool accepted;
};

class SiteTemplateErrorTest : public testing::TestWithParam<ErrorCase>
{};

TEST_P(SiteTemplateErrorTest, RefusesWhatCannotBeAWebAddress)
{
    const ErrorCase &c = GetParam();
    EXPECT_EQ(SiteTemplateError(c.pattern).empty(), c.accepted) << SiteTemplateError(c.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SiteTemplateErrorTest,
    testing::Values(
        ErrorCase{"Http", "http://a.example/?q=", true},
        ErrorCase{"HttpsWithPlaceholders", "https://a.example/{term}?u={utf8}&g={gb18030}", true},
        ErrorCase{"SchemeInCapitals", "HTTP://A.EXAMPLE/", true},
        ErrorCase{"HostWithPort", "http://a.example:8080/{term}", true},
        ErrorCase{"File", "file:///etc/passwd", false},
        ErrorCase{"Javascript", "javascript:alert(1)", false},
        ErrorCase{"Data", "data:text/html,<b>x</b>", false},
        ErrorCase{"NoScheme", "a.example/?q=", false},
        ErrorCase{"Ftp", "ftp://a.example/", false},
        ErrorCase{"NoHost", "http:///path", false},
        ErrorCase{"NothingAfterTheScheme", "https://", false},
        ErrorCase{"OnlyAPort", "http://:80/", false},
        ErrorCase{"PlaceholderAsHost", "http://{term}/", false},
        ErrorCase{"UnknownPlaceholder", "http://a.example/{word}", false},
        ErrorCase{"PlaceholderInCapitals", "http://a.example/{UTF8}", false},
        ErrorCase{"UnclosedBrace", "http://a.example/{utf", false},
        ErrorCase{"AtTheLongest", "http://a.example/" + std::string(2000 - 17, 'x'), true},
        ErrorCase{"OneByteTooLong", "http://a.example/" + std::string(2000 - 16, 'x'), false}),
    [](const testing::TestParamInfo<ErrorCase> &row) { return row.param.name; });

using Sites = std::vector<std::pair<std::string, std::string>>;

struct ListCase
{
    const char *name;
    Sites sites;
    bool accepted;
};

class SiteListErrorTest : public testing::TestWithParam<ListCase>
{};

TEST_P(SiteListErrorTest, KeepsOnlyAListThatCanBeUsed)
{
    const ListCase &c = GetParam();
    EXPECT_EQ(SiteListError(c.sites).empty(), c.accepted) << SiteListError(c.sites);
}

Sites Many(int count)
{
    Sites sites;
    for (int i = 0; i < count; ++i)
        sites.emplace_back("site " + std::to_string(i), "http://a.example/");
    return sites;
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SiteListErrorTest,
    testing::Values(
        ListCase{"Empty", {}, true},
        ListCase{"Two", {{"甲", "http://a.example/"}, {"乙", "http://b.example/{utf8}"}}, true},
        ListCase{"EmptyName", {{"", "http://a.example/"}}, false},
        ListCase{"BlankName", {{" \t", "http://a.example/"}}, false},
        ListCase{
            "NameUsedTwice", {{"甲", "http://a.example/"}, {"甲", "http://b.example/"}}, false},
        ListCase{"NameUsedTwiceBesideBlanks",
                 {{"甲", "http://a.example/"}, {" 甲 ", "http://b.example/"}},
                 false},
        ListCase{"RefusedAddress", {{"甲", "javascript:x"}}, false},
        ListCase{"TheMost", Many(20), true},
        ListCase{"OneTooMany", Many(21), false}),
    [](const testing::TestParamInfo<ListCase> &row) { return row.param.name; });

} // namespace
} // namespace tellaria
