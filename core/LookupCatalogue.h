#pragma once

// What the program knows about the online reference services, and the one rule that turns a
// query into the pages to open. All texts are UTF-8.

#include "core/SiteTemplate.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

// One encyclopaedia: its label (check list and page title) and its address template
// (core/SiteTemplate.h): for the shipped five, the URL prefix the term follows.
struct LookupSite
{
    std::string Name;
    std::string Url;

    bool operator==(const LookupSite &) const = default;
};

// One page to open for a query.
struct PageRequest
{
    std::string Title;
    std::string Url;
    bool Filtered = false; // the ad-server filter is attached to the page's browser
    // Set when the page must not be opened: the page says why instead.
    AddressFault Fault = AddressFault::None;

    bool operator==(const PageRequest &) const = default;
};

// The pages of one query, in the order the tabs are created.
using QueryPlan = std::vector<PageRequest>;

// The encyclopaedias in check-list order, and which of them are ticked (a row beyond the checks
// counts as not ticked).
using SiteTable = std::vector<LookupSite>;
using SiteChecks = std::vector<bool>;
// The encyclopaedias the program ships with.
constexpr int ShippedSiteCount = 5;

// The lookup modes, numbered as the mode selector lists them and as the settings file stores
// them; None is the selector showing no mode.
enum class LookupMode : int {
    None = -1,
    Encyclopaedias = 0,
    IdiomDictionary = 1,
    EnglishChinese = 2,
    BingDictionary = 3,
};
constexpr int LookupModeCount = 4;

// The mode at selector index `index` (0 to 3); None for any other index.
LookupMode LookupModeFromIndex(int index);

// The mode's label as the selector lists it: "百科全书", "成语词典", "英汉汉英词典",
// "微软Bing智能英汉词典"; empty for None.
const std::string &LookupModeLabel(LookupMode mode);

// The five shipped encyclopaedias, in check-list order.
SiteTable BuildSiteTable();

// Whether a query term is blank, and so refused before any plan is made: nothing is left once
// spaces and control characters (every byte up to 0x20) are trimmed from either end.
bool IsBlankTerm(std::string_view termUtf8);

// The pages for one query. A dictionary mode opens one page, titled with the mode's label, whose
// URL holds the term percent-encoded: its GB18030 bytes for the idiom dictionary, its UTF-8 bytes
// for the other two. The encyclopaedia mode, and None, open one page per checked site, titled
// with the site's name, at the site's address template filled with the term (ExpandSiteTemplate:
// for the shipped sites, the term appended as typed, with what would end its part escaped); a
// page whose address the term would move to another host carries the fault instead. `termUtf8`
// is the query box's text; the plan never refuses a term.
QueryPlan MakeQueryPlan(LookupMode mode,
                        std::string_view termUtf8,
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
