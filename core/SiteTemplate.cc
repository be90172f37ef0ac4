#include "core/SiteTemplate.h"

#include "core/AsciiCase.h"
#include "core/CodePage.h"
#include "core/TermText.h"
#include "core/TextTrim.h"
#include "core/UrlEncode.h"

#include <algorithm>
#include <set>

namespace tellaria {

namespace {

constexpr std::string_view TermMark = "{term}";
constexpr std::string_view Utf8Mark = "{utf8}";
constexpr std::string_view Gb18030Mark = "{gb18030}";

// The parts of an address, in the order they come.
enum class Part { Origin, Path, Query, Fragment };

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), text.begin(),
                         [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

std::string Trimmed(std::string_view text)
{
    return std::string(
        TrimmedBy(text, [](char c) { return static_cast<unsigned char>(c) <= 0x20; }));
}

// The part that follows `c`, written literally in a template, when the address is in `part`.
Part PartAfter(Part part, char c, bool pastScheme)
{
    switch (part) {
    case Part::Origin:
        if (!pastScheme)
            return part;
        if (c == '/' || c == '\\')
            return Part::Path;
        [[fallthrough]];
    case Part::Path:
        if (c == '?')
            return Part::Query;
        [[fallthrough]];
    case Part::Query:
        return c == '#' ? Part::Fragment : part;
    case Part::Fragment:
        break;
    }
    return part;
}

void AppendEscaped(std::string &out, char c)
{
    constexpr char hexDigits[] = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += hexDigits[byte >> 4];
    out += hexDigits[byte & 0xF];
}

// The term as typed, with what would end `part` (or any control character) escaped.
std::string AsTyped(std::string_view term, Part part)
{
    std::string_view ends;
    switch (part) {
    case Part::Origin:
        break;
    case Part::Path:
        ends = "%#?/\\";
        break;
    case Part::Query:
        ends = "%#&+";
        break;
    case Part::Fragment:
        ends = "%";
        break;
    }
    std::string out;
    out.reserve(term.size());
    for (const char c : term) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || ends.find(c) != std::string_view::npos)
            AppendEscaped(out, c);
        else
            out += c;
    }
    return out;
}

// Percent-encoded bytes: a query's form-encoding, with "%20" for a blank outside a query, where
// "+" is a plus.
std::string Encoded(std::string_view bytes, Part part)
{
    std::string encoded = UrlEncodeQuery(bytes);
    if (part == Part::Query)
        return encoded;
    std::string out;
    out.reserve(encoded.size());
    for (const char c : encoded) {
        if (c == '+')
            out += "%20";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string_view AddressOrigin(std::string_view url)
{
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos)
        return {};
    const std::size_t end = url.find_first_of("/?#\\", schemeEnd + 3);
    return url.substr(0, end);
}

SiteAddress ExpandSiteTemplate(std::string_view pattern, std::string_view termUtf8)
{
    // A term comes one line from the query box; any other caller's is made so here.
    const std::string term = OneLineTerm(termUtf8);
    SiteAddress address;
    std::string &url = address.Url;
    std::string bare; // the template without its placeholders: the origin the address must keep
    Part part = Part::Origin;
    bool pastScheme = false;
    bool placed = false;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const std::string_view rest = pattern.substr(at);
        if (rest.starts_with(TermMark)) {
            url += AsTyped(term, part);
            at += TermMark.size();
            placed = true;
        } else if (rest.starts_with(Utf8Mark)) {
            url += Encoded(term, part);
            at += Utf8Mark.size();
            placed = true;
        } else if (rest.starts_with(Gb18030Mark)) {
            url += Encoded(AnsiFromUtf8(term), part);
            at += Gb18030Mark.size();
            placed = true;
        } else {
            if (!pastScheme && rest.starts_with("://")) {
                url += "://";
                bare += "://";
                at += 3;
                pastScheme = true;
                continue;
            }
            part = PartAfter(part, pattern[at], pastScheme);
            url += pattern[at];
            bare += pattern[at++];
        }
    }
    if (!placed)
        url += AsTyped(term, part);
    if (!EqualIgnoringAsciiCase(AddressOrigin(url), AddressOrigin(bare))) {
        address.Fault = AddressFault::HostMoved;
        address.Url = std::string(AddressOrigin(bare)) + '/';
    }
    return address;
}

SiteError SiteTemplateError(std::string_view pattern)
{
    std::string_view rest;
    if (StartsWithNoCase(pattern, "http://"))
        rest = pattern.substr(7);
    else if (StartsWithNoCase(pattern, "https://"))
        rest = pattern.substr(8);
    else
        return {SiteFault::NotHttp};
    // Measured as the settings file stores it, which reads back no longer a value.
    if (AnsiFromUtf8(pattern).size() > LongestSiteTemplate)
        return {SiteFault::AddressTooLong};
    if (HasControlCharacter(pattern))
        return {SiteFault::AddressControlCharacter};
    if (!IsValidUtf8(pattern))
        return {SiteFault::AddressInvalid};
    const std::size_t hostEnd = rest.find_first_of("/?#:{");
    if (hostEnd == 0 || rest.empty())
        return {SiteFault::NoHost};
    for (std::size_t open = pattern.find('{'); open != std::string_view::npos;
         open = pattern.find('{', open + 1)) {
        const std::string_view from = pattern.substr(open);
        if (from.starts_with(TermMark) || from.starts_with(Utf8Mark)
            || from.starts_with(Gb18030Mark))
            continue;
        const std::size_t close = from.find('}');
        return {SiteFault::UnknownPlaceholder,
                std::string(from.substr(0, close == std::string_view::npos ? 1 : close + 1))};
    }
    return {};
}

SiteError SiteListError(const std::vector<std::pair<std::string, std::string>> &sites)
{
    if (sites.size() > MostSites)
        return {SiteFault::TooManySites};
    std::set<std::string> names;
    for (const auto &[name, pattern] : sites) {
        const std::string trimmed = Trimmed(name);
        if (trimmed.empty())
            return {SiteFault::EmptyName};
        if (HasControlCharacter(name))
            return {SiteFault::NameControlCharacter};
        if (AnsiFromUtf8(name).size() > LongestSiteTemplate)
            return {SiteFault::NameTooLong};
        if (!names.insert(trimmed).second)
            return {SiteFault::NameTaken, trimmed};
        if (SiteError error = SiteTemplateError(pattern); !error.Ok()) {
            error.Site = trimmed;
            return error;
        }
    }
    return {};
}

} // namespace tellaria
