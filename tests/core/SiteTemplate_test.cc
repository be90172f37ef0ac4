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

TEST_P(ExpandSiteTemplateTest, PutsTheTermWhereThePatternSaysEncodedForItsPart)
{
    const ExpandCase &c = GetParam();
    const SiteAddress address = ExpandSiteTemplate(c.pattern, c.term);
    EXPECT_EQ(address.Url, c.expected);
    EXPECT_EQ(address.Fault, AddressFault::None);
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
        // Placeholders are matched exactly: other letter cases are text (and refused on entry).
        ExpandCase{"PlaceholdersAreCaseSensitive", "http://a.example/{TERM}", "x",
                   "http://a.example/{TERM}x"},
        ExpandCase{"EmptyTerm", "http://a.example/?q={utf8}", "", "http://a.example/?q="},
        // What would end the term's part is escaped, so the whole term reaches the site.
        ExpandCase{"AppendedInAPath", "http://a.example/wiki/", "C# & C++ 100%",
                   "http://a.example/wiki/C%23 & C++ 100%25"},
        ExpandCase{"AppendedInAQuery", "http://a.example/s?x=1&word=", "C# & C++ 100%",
                   "http://a.example/s?x=1&word=C%23 %26 C%2B%2B 100%25"},
        ExpandCase{"SlashAndQuestionInAPath", "http://a.example/w/{term}", "AC/DC?",
                   "http://a.example/w/AC%2FDC%3F"},
        ExpandCase{"BackslashInAPath", "http://a.example/w/{term}", "a\\b",
                   "http://a.example/w/a%5Cb"},
        ExpandCase{"SlashStaysInAQuery", "http://a.example/?q={term}", "a/b?c",
                   "http://a.example/?q=a/b?c"},
        ExpandCase{"InAFragment", "http://a.example/p#{term}", "50% #1",
                   "http://a.example/p#50%25 #1"},
        ExpandCase{"Utf8InAPathUsesPercent20", "http://a.example/{utf8}/{utf8}", "a b+",
                   "http://a.example/a%20b%2B/a%20b%2B"},
        ExpandCase{"Utf8InAQueryIsFormEncoded", "http://a.example/?q={utf8}", "a b+",
                   "http://a.example/?q=a+b%2B"},
        ExpandCase{"Gb18030InAPath", "http://a.example/{gb18030}", "中 文",
                   "http://a.example/%D6%D0%20%CE%C4"},
        ExpandCase{"ControlCharactersMadeASpace", "http://a.example/?q={term}",
                   "a\t\xc2\x85"
                   "b\n",
                   "http://a.example/?q=a b"},
        ExpandCase{"AtSignInAPathIsText", "http://own.test/{term}", "@evil.test/x",
                   "http://own.test/@evil.test%2Fx"}),
    [](const testing::TestParamInfo<ExpandCase> &row) { return row.param.name; });

struct MovedCase
{
    const char *name;
    const char *pattern;
    const char *term;
    const char *origin; // what the refused address holds: the template's own
};

class HostMovedTest : public testing::TestWithParam<MovedCase>
{};

// A term that lands in the host part would send the request elsewhere: refused, whatever it is.
TEST_P(HostMovedTest, ATermThatWouldMoveTheHostIsRefused)
{
    const MovedCase &c = GetParam();
    const SiteAddress address = ExpandSiteTemplate(c.pattern, c.term);
    EXPECT_EQ(address.Fault, AddressFault::HostMoved) << address.Url;
    EXPECT_EQ(address.Url, c.origin);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    HostMovedTest,
    testing::Values(
        MovedCase{"AppendedToABareHost", "http://own.test", "@evil.test/x", "http://own.test/"},
        MovedCase{"AnyTermAfterABareHost", "http://own.test", "cat", "http://own.test/"},
        MovedCase{"TermInTheHost", "https://a.example{term}", "@evil.test", "https://a.example/"},
        MovedCase{"TermAfterUserInfo", "https://u@{term}", "evil.test", "https://u@/"},
        MovedCase{"TermAsThePort", "http://a.example:{term}/", "81", "http://a.example:/"},
        MovedCase{"EncodedTermInTheHost", "http://a{utf8}.example/", "b", "http://a.example/"}),
    [](const testing::TestParamInfo<MovedCase> &row) { return row.param.name; });

TEST(SiteTemplate, AnEmptyTermInTheHostKeepsIt)
{
    EXPECT_EQ(ExpandSiteTemplate("https://a.example{term}/x", "").Fault, AddressFault::None);
}

TEST(SiteTemplate, TheOriginIsTheSchemeAndAuthorityAsWritten)
{
    EXPECT_EQ(AddressOrigin("http://u@A.example:80/p?q#f"), "http://u@A.example:80");
    EXPECT_EQ(AddressOrigin("http://a.example\\evil"), "http://a.example");
    EXPECT_EQ(AddressOrigin("http://a.example"), "http://a.example");
    EXPECT_EQ(AddressOrigin("no scheme"), "");
}

std::string Repeated(const std::string &text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

struct ErrorCase
{
    const char *name;
    std::string pattern;
    SiteFault fault;
};

class SiteTemplateErrorTest : public testing::TestWithParam<ErrorCase>
{};

TEST_P(SiteTemplateErrorTest, RefusesWhatCannotBeAWebAddress)
{
    const ErrorCase &c = GetParam();
    EXPECT_EQ(SiteTemplateError(c.pattern).Fault, c.fault);
}

INSTANTIATE_TEST_SUITE_P(
    Cases,
    SiteTemplateErrorTest,
    testing::Values(
        ErrorCase{"Http", "http://a.example/?q=", SiteFault::None},
        ErrorCase{"HttpsWithPlaceholders", "https://a.example/{term}?u={utf8}&g={gb18030}",
                  SiteFault::None},
        ErrorCase{"SchemeInCapitals", "HTTP://A.EXAMPLE/", SiteFault::None},
        ErrorCase{"HostWithPort", "http://a.example:8080/{term}", SiteFault::None},
        ErrorCase{"File", "file:///etc/passwd", SiteFault::NotHttp},
        ErrorCase{"Javascript", "javascript:alert(1)", SiteFault::NotHttp},
        ErrorCase{"Data", "data:text/html,<b>x</b>", SiteFault::NotHttp},
        ErrorCase{"NoScheme", "a.example/?q=", SiteFault::NotHttp},
        ErrorCase{"Ftp", "ftp://a.example/", SiteFault::NotHttp},
        ErrorCase{"NoHost", "http:///path", SiteFault::NoHost},
        ErrorCase{"NothingAfterTheScheme", "https://", SiteFault::NoHost},
        ErrorCase{"OnlyAPort", "http://:80/", SiteFault::NoHost},
        ErrorCase{"PlaceholderAsHost", "http://{term}/", SiteFault::NoHost},
        ErrorCase{"UnknownPlaceholder", "http://a.example/{word}", SiteFault::UnknownPlaceholder},
        ErrorCase{"PlaceholderInCapitals", "http://a.example/{UTF8}",
                  SiteFault::UnknownPlaceholder},
        ErrorCase{"UnclosedBrace", "http://a.example/{utf", SiteFault::UnknownPlaceholder},
        ErrorCase{"AtTheLongest", "http://a.example/" + std::string(2000 - 17, 'x'),
                  SiteFault::None},
        ErrorCase{"OneByteTooLong", "http://a.example/" + std::string(2000 - 16, 'x'),
                  SiteFault::AddressTooLong},
        // Measured as stored: two bytes a Chinese letter in the code page, three in UTF-8.
        ErrorCase{"ChineseAtTheLongest", "http://a.example/" + Repeated("中", (2000 - 17) / 2),
                  SiteFault::None},
        ErrorCase{"ChineseTooLong", "http://a.example/" + Repeated("中", (2000 - 17) / 2 + 1),
                  SiteFault::AddressTooLong},
        ErrorCase{"LineBreak", "http://a.example/\r\n[Dictionary]\r\nID=3",
                  SiteFault::AddressControlCharacter},
        ErrorCase{"Tab", "http://a.example/\t{term}", SiteFault::AddressControlCharacter},
        // Pieces of a character around a placeholder would join into another once it is filled.
        ErrorCase{"InvalidUtf8", "http://a.example/\xc2{utf8}\x84", SiteFault::AddressInvalid}),
    [](const testing::TestParamInfo<ErrorCase> &row) { return row.param.name; });

TEST(SiteTemplateError, NamesWhatIsAtFault)
{
    EXPECT_EQ(SiteTemplateError("http://a.example/{word}?q={term}"),
              (SiteError{SiteFault::UnknownPlaceholder, "{word}"}));
    EXPECT_EQ(SiteTemplateError("http://a.example/{utf"),
              (SiteError{SiteFault::UnknownPlaceholder, "{"}));
    EXPECT_EQ(SiteListError({{"甲", "http://a.example/"}, {" 甲 ", "http://b.example/"}}),
              (SiteError{SiteFault::NameTaken, "甲"}));
    // An address at fault in a list names its site, trimmed.
    EXPECT_EQ(SiteListError({{" 乙 ", "http://b.example/{x}"}}),
              (SiteError{SiteFault::UnknownPlaceholder, "{x}", "乙"}));
}

using Sites = std::vector<std::pair<std::string, std::string>>;

struct ListCase
{
    const char *name;
    Sites sites;
    SiteFault fault;
};

class SiteListErrorTest : public testing::TestWithParam<ListCase>
{};

TEST_P(SiteListErrorTest, KeepsOnlyAListThatCanBeUsed)
{
    const ListCase &c = GetParam();
    EXPECT_EQ(SiteListError(c.sites).Fault, c.fault);
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
        ListCase{"Empty", {}, SiteFault::None},
        ListCase{"Two",
                 {{"甲", "http://a.example/"}, {"乙", "http://b.example/{utf8}"}},
                 SiteFault::None},
        ListCase{"EmptyName", {{"", "http://a.example/"}}, SiteFault::EmptyName},
        ListCase{"BlankName", {{" \t", "http://a.example/"}}, SiteFault::EmptyName},
        ListCase{"NameUsedTwice",
                 {{"甲", "http://a.example/"}, {"甲", "http://b.example/"}},
                 SiteFault::NameTaken},
        ListCase{"NameUsedTwiceBesideBlanks",
                 {{"甲", "http://a.example/"}, {" 甲 ", "http://b.example/"}},
                 SiteFault::NameTaken},
        ListCase{"RefusedAddress", {{"甲", "javascript:x"}}, SiteFault::NotHttp},
        ListCase{"NameWithALineBreak",
                 {{"x\r\n[Dictionary]\r\nID=3", "http://a.example/"}},
                 SiteFault::NameControlCharacter},
        ListCase{"NameWithATab", {{"a\tb", "http://a.example/"}}, SiteFault::NameControlCharacter},
        ListCase{"NameInQuotes", {{"\"甲\"", "http://a.example/"}}, SiteFault::None},
        ListCase{"TheMost", Many(20), SiteFault::None},
        ListCase{"OneTooMany", Many(21), SiteFault::TooManySites}),
    [](const testing::TestParamInfo<ListCase> &row) { return row.param.name; });

} // namespace
} // namespace tellaria
