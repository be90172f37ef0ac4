#pragma once

// What the program knows about the online reference services, and the one rule that turns a
// query into the pages to open. All texts are byte strings in the ANSI code page.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

// One encyclopaedia: its label (check list and page title) and the URL prefix the term follows.
struct LookupSite
{
    std::string Name;
    std::string Url;
};

// One page to open for a query.
struct PageRequest
{
    std::string Title;
    std::string Url;
    bool Filtered = false; // the ad-server filter is attached to the page's browser

    bool operator==(const PageRequest &) const = default;
};

// The pages of one query, in the order the tabs are created.
using QueryPlan = std::vector<PageRequest>;

constexpr int SiteCount = 5;
using SiteTable = std::array<LookupSite, SiteCount>;
using SiteChecks = std::array<bool, SiteCount>;

constexpr int LookupModeCount = 4;

// The label of lookup mode 0..3 as the mode selector lists it ("百科全书", "成语词典",
// "英汉汉英词典", "微软Bing智能英汉词典"), in ANSI bytes. The index is also the mode stored in the
// settings file. Any other index (the selector showing no mode) gives the empty text.
const std::string &LookupModeLabel(int index);

// The five encyclopaedias, in check-list order.
SiteTable BuildSiteTable();

// The pages for one query. `modeText` is the mode selector's current text: it is compared byte
// for byte with the three dictionary labels, and anything else (empty included) means the
// encyclopaedia mode, which opens one page per checked site with the term appended unencoded.
// `term` is the query box's text exactly as typed; the plan never refuses a term.
QueryPlan MakeQueryPlan(std::string_view modeText,
                        std::string_view term,
                        const SiteChecks &checked,
                        const SiteTable &sites);

} // namespace tellaria

namespace tellaria {

// The page the start page panel shows; the program's version follows "ver=".
inline constexpr std::string_view StartPageUrl
    = "http://www.tellaria.example/soft/Lexivander.aspx?ver=1.9";

// Navigations of dictionary pages whose URL contains this are refused.
inline constexpr std::string_view AdServerPrefix = "http://pagead2.googlesyndication.com";

// The ad-server filter's decision: true (cancel) when AdServerPrefix occurs anywhere in `url`,
// compared byte for byte and so case-sensitively.
bool IsAdServerNavigation(std::string_view url);

} // namespace tellaria
