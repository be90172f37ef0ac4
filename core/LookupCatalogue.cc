#include "core/LookupCatalogue.h"

#include <algorithm>

#include "core/CodePage.h"
#include "core/SiteTemplate.h"
#include "core/UrlEncode.h"

// The labels below are UTF-8 in the source, as the callers take them.
static_assert(sizeof("中") == 4,
              "the source must be compiled with a UTF-8 execution character set");

namespace tellaria {

namespace {

constexpr std::string_view IdiomPrefix = "http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=";
constexpr std::string_view EnglishChinesePrefix = "http://www.iciba.com/";
constexpr std::string_view BingPrefix = "http://dict.bing.com.cn/?FORM=CHOT20&q=";

struct Site
{
    const char *Name;
    const char *Url;
};

constexpr Site Sites[ShippedSiteCount] = {
    {"维基百科（中文）", "http://zh.wikipedia.org/zh-cn/"},
    {"百度百科（中文）", "http://baike.baidu.com/list-php/dispose/searchword.php/?&pic=1&word="},
    {"互动百科（中文）", "http://www.baike.com/wiki/"},
    {"不列颠百科（英文）", "http://www.britannica.com/search?ct=&query="},
    {"哥伦比亚百科（英文）", "http://www.infoplease.com/search?fr=iptn&in=all&x=18&y=1&query="},
};

PageRequest Request(std::string title, std::string url, bool filtered)
{
    PageRequest request;
    request.Title = std::move(title);
    request.Url = std::move(url);
    request.Filtered = filtered;
    return request;
}

} // namespace

LookupMode LookupModeFromIndex(int index)
{
    if (index < 0 || index >= LookupModeCount)
        return LookupMode::None;
    return static_cast<LookupMode>(index);
}

const std::string &LookupModeLabel(LookupMode mode)
{
    static const std::string labels[LookupModeCount] = {
        "百科全书",
        "成语词典",
        "英汉汉英词典",
        "微软Bing智能英汉词典",
    };
    static const std::string none;
    const int index = static_cast<int>(mode);
    if (index < 0 || index >= LookupModeCount)
        return none;
    return labels[index];
}

SiteTable BuildSiteTable()
{
    SiteTable sites;
    for (const Site &site : Sites)
        sites.push_back({site.Name, site.Url});
    return sites;
}

QueryPlan MakeQueryPlan(LookupMode mode,
                        std::string_view termUtf8,
                        const SiteChecks &checked,
                        const SiteTable &sites)
{
    QueryPlan plan;
    const std::string &title = LookupModeLabel(mode);
    switch (mode) {
    case LookupMode::IdiomDictionary:
        // The idiom dictionary reads its query in the code page.
        plan.push_back(Request(
            title, std::string(IdiomPrefix) + UrlEncodeQuery(AnsiFromUtf8(termUtf8)), true));
        return plan;
    case LookupMode::EnglishChinese:
        plan.push_back(Request(
            title, std::string(EnglishChinesePrefix) + UrlEncodeQuery(std::string(termUtf8) + "/"),
            true));
        return plan;
    case LookupMode::BingDictionary:
        plan.push_back(Request(title, std::string(BingPrefix) + UrlEncodeQuery(termUtf8), true));
        return plan;
    case LookupMode::None:
    case LookupMode::Encyclopaedias:
        break;
    }
    for (std::size_t i = 0; i < sites.size() && i < checked.size(); ++i) {
        if (!checked[i])
            continue;
        SiteAddress address = ExpandSiteTemplate(sites[i].Url, termUtf8);
        plan.push_back(Request(sites[i].Name, std::move(address.Url), false));
        plan.back().Fault = address.Fault;
    }
    return plan;
}

bool IsBlankTerm(std::string_view termUtf8)
{
    return std::all_of(termUtf8.begin(), termUtf8.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) <= 0x20; });
}

bool IsAdServerNavigation(std::string_view url)
{
    return url.find(AdServerPrefix) != std::string_view::npos;
}

} // namespace tellaria
