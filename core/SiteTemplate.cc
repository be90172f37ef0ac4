#include "core/SiteTemplate.h"

#include "core/AsciiCase.h"
#include "core/CodePage.h"
#include "core/UrlEncode.h"

#include <algorithm>
#include <set>

namespace tellaria {

namespace {

constexpr std::string_view TermMark = "{term}";
constexpr std::string_view Utf8Mark = "{utf8}";
constexpr std::string_view Gb18030Mark = "{gb18030}";

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(),
                         [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

std::string Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace

std::string ExpandSiteTemplate(std::string_view pattern, std::string_view termUtf8)
{
    std::string address;
    bool placed = false;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::string_view rest = pattern.substr(at);
        if (rest.starts_with(TermMark)) {
            address += termUtf8;
            at += TermMark.size();
            placed = true;
        } else if (rest.starts_with(Utf8Mark)) {
            address += UrlEncodeQuery(termUtf8);
            at += Utf8Mark.size();
            placed = true;
        } else if (rest.starts_with(Gb18030Mark)) {
            address += UrlEncodeQuery(AnsiFromUtf8(termUtf8));
            at += Gb18030Mark.size();
            placed = true;
        } else {
            address += pattern[at++];
        }
    }
    if (!placed)
        address += termUtf8;
    return address;
}

std::string SiteTemplateError(std::string_view pattern)
{
    std::string_view rest;
    if (StartsWithNoCase(pattern, "http://"))
        rest = pattern.substr(7);
    else if (StartsWithNoCase(pattern, "https://"))
        rest = pattern.substr(8);
    else
        return "网址必须以 http:// 或 https:// 开头。";
    if (pattern.size() > LongestSiteTemplate)
        return "网址不能超过 " + std::to_string(LongestSiteTemplate) + " 个字符。";
    const std::size_t hostEnd = rest.find_first_of("/?#:{");
    if (hostEnd == 0 || rest.empty())
        return "网址中缺少主机名。";
    for (std::size_t open = pattern.find('{'); open != std::string_view::npos;
         open = pattern.find('{', open + 1)) {
        const std::string_view from = pattern.substr(open);
        if (from.starts_with(TermMark) || from.starts_with(Utf8Mark)
            || from.starts_with(Gb18030Mark))
            continue;
        const std::size_t close = from.find('}');
        const std::string unknown(from.substr(0, close == std::string_view::npos ? 1 : close + 1));
        return "网址中有未知的占位符“" + unknown + "”：只能用 {term}、{utf8} 或 {gb18030}。";
    }
    return {};
}

std::string SiteListError(const std::vector<std::pair<std::string, std::string>> &sites)
{
    if (sites.size() > MostSites)
        return "最多只能有 " + std::to_string(MostSites) + " 部百科全书。";
    std::set<std::string> names;
    for (const auto &[name, pattern] : sites) {
        const std::string trimmed = Trimmed(name);
        if (trimmed.empty())
            return "百科全书的名称不能为空。";
        if (!names.insert(trimmed).second)
            return "名称“" + trimmed + "”已被使用。";
        if (std::string error = SiteTemplateError(pattern); !error.empty())
            return error.insert(0, "“" + trimmed + "”：");
    }
    return {};
}

} // namespace tellaria
