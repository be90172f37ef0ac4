#pragma once

// An encyclopaedia the user adds: a name and an address template. A template is an http:// or
// https:// address; "{term}" in it stands for the term as typed, "{utf8}" for the term
// percent-encoded in UTF-8 and "{gb18030}" for it percent-encoded in the code page, as the
// dictionaries take it. A template without a placeholder gets the term appended as typed, so the
// shipped sites' addresses are templates unchanged. All texts are UTF-8.
//
// Each placeholder is filled for the part of the address it stands in, so that no term can end
// that part early or reach another: "{term}" keeps the term as typed (the browser engine escapes
// blanks and non-ASCII letters) but escapes what would end its part ("%", "#", "?", "/" and "\"
// in a path; "%", "#", "&" and "+" in a query; "%" in a fragment); "{utf8}" and "{gb18030}" use
// the form-encoding of a query ("+" for a blank) there and "%20" elsewhere. The term never
// changes the address's scheme, host or port: where it would (a placeholder in the host part),
// the address is refused instead.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tellaria {

inline constexpr std::size_t LongestSiteTemplate = 2000;
inline constexpr std::size_t MostSites = 20;

// Why a filled template opens no page.
enum class AddressFault {
    None,
    HostMoved, // the term would have changed the scheme, host or port
};

struct SiteAddress
{
    // The filled address; with a fault, the template's own scheme and host followed by "/", to
    // name the site without opening anything.
    std::string Url;
    AddressFault Fault = AddressFault::None;
};

// The address `pattern` opens for `termUtf8`, made one line first (OneLineTerm). Only for a
// pattern SiteTemplateError accepts.
SiteAddress ExpandSiteTemplate(std::string_view pattern, std::string_view termUtf8);

// The scheme and authority of an http(s) address, "scheme://userinfo@host:port" as written: what
// follows "//" up to the first "/", "?", "#" or "\" (which web browsers take for "/"). Empty
// when `url` has no "://".
std::string_view AddressOrigin(std::string_view url);

// Why an encyclopaedia's name or address cannot be kept.
enum class SiteFault {
    None,
    NotHttp, // the address begins with neither http:// nor https://
    AddressTooLong, // over LongestSiteTemplate bytes as the settings file stores it
    AddressControlCharacter,
    AddressInvalid, // not valid UTF-8
    NoHost,
    UnknownPlaceholder, // Value: the placeholder as written, "{x}" or a lone "{"
    TooManySites, // over MostSites
    EmptyName,
    NameControlCharacter,
    NameTooLong,
    NameTaken, // Value: the name, trimmed
};

struct SiteError
{
    SiteError() = default;
    SiteError(SiteFault fault, std::string value = {}, std::string site = {})
        : Fault(fault)
        , Value(std::move(value))
        , Site(std::move(site))
    {}

    SiteFault Fault = SiteFault::None;
    std::string Value;
    // In a list, the name (trimmed) of the site whose address is at fault; empty otherwise.
    std::string Site;

    bool Ok() const { return Fault == SiteFault::None; }
    friend bool operator==(const SiteError &, const SiteError &) = default;
};

// Why `pattern` cannot be an encyclopaedia's address; Ok when it can: it must begin with http://
// or https:// (in any letter case), name a host, take at most LongestSiteTemplate bytes as the
// settings file stores it (in the code page), be valid UTF-8 and hold no control character and
// no placeholder but the three.
SiteError SiteTemplateError(std::string_view pattern);

// Why a list of encyclopaedias, names and templates in order, cannot be kept; Ok when it can: at
// most MostSites of them, each with a name (not only blanks, no control character, stored in at
// most LongestSiteTemplate bytes) no other has, and an address SiteTemplateError accepts.
SiteError SiteListError(const std::vector<std::pair<std::string, std::string>> &sites);

} // namespace tellaria
