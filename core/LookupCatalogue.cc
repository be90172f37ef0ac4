#include "core/LookupCatalogue.h"

#include "core/CodePage.h"
#include "core/UrlEncode.h"

// The labels below are UTF-8 in the source and converted once to ANSI bytes.
static_assert(sizeof("中") == 4,
              "the source must be compiled with a UTF-8 execution character set");

namespace tellaria {

namespace {

constexpr const char *ModeLabelsUtf8[LookupModeCount] = {
    "百科全书",
    "成语词典",
    "英汉汉英词典",
    "微软Bing智能英汉词典",
};

constexpr int IdiomMode = 1;
constexpr int EnglishChineseMode = 2;
constexpr int BingMode = 3;

constexpr std::string_view IdiomPrefix = "http://cy.5156edu.com/serach.php?f_type=chengyu&f_key=";
constexpr std::string_view EnglishChinesePrefix = "http://www.iciba.com/";
constexpr std::string_view BingPrefix = "http://dict.bing.com.cn/?FORM=CHOT20&q=";

struct SiteUtf8
{
    const char *Name;
    const char *Url;
};

constexpr SiteUtf8 SitesUtf8[SiteCount] = {
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

const std::string &LookupModeLabel(int index)
{
    static const std::array<std::string, LookupModeCount> labels = [] {
        std::array<std::string, LookupModeCount> result;
        for (int i = 0; i < LookupModeCount; ++i)
            result[i] = AnsiFromUtf8(ModeLabelsUtf8[i]);
        return result;
    }();
    static const std::string none;
    if (index < 0 || index >= LookupModeCount)
        return none;
    return labels[index];
}

SiteTable BuildSiteTable()
{
    SiteTable sites;
    for (int i = 0; i < SiteCount; ++i) {
        sites[i].Name = AnsiFromUtf8(SitesUtf8[i].Name);
        sites[i].Url = SitesUtf8[i].Url;
    }
    return sites;
}

QueryPlan MakeQueryPlan(std::string_view modeText,
                        std::string_view term,
                        const SiteChecks &checked,
                        const SiteTable &sites)
{
    QueryPlan plan;
    if (modeText == LookupModeLabel(IdiomMode)) {
        std::string url(IdiomPrefix);
        url += UrlEncodeQuery(term);
        plan.push_back(Request(std::string(modeText), std::move(url), true));
    } else if (modeText == LookupModeLabel(EnglishChineseMode)) {
        std::string url(EnglishChinesePrefix);
        url += UrlEncodeQuery(Utf8(term) + "/");
        plan.push_back(Request(std::string(modeText), std::move(url), true));
    } else if (modeText == LookupModeLabel(BingMode)) {
        std::string url(BingPrefix);
        url += UrlEncodeQuery(Utf8(term));
        plan.push_back(Request(std::string(modeText), std::move(url), true));
    } else {
        for (int i = 0; i < SiteCount; ++i) {
            if (!checked[i])
                continue;
            std::string url = sites[i].Url;
            url += term;
            plan.push_back(Request(sites[i].Name, std::move(url), false));
        }
    }
    return plan;
}

bool IsAdServerNavigation(std::string_view url)
{
    return url.find(AdServerPrefix) != std::string_view::npos;
}

} // namespace tellaria
