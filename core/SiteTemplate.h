#pragma once

// An encyclopaedia the user adds: a name and an address template. A template is an http:// or
// https:// address; "{term}" in it stands for the term as typed (the browser engine escapes it,
// as for the shipped sites), "{utf8}" for the term percent-encoded in UTF-8 and "{gb18030}" for
// it percent-encoded in the code page, as the dictionaries take it. A template without a
// placeholder gets the term appended as typed, so the shipped sites' addresses are templates
// unchanged. All texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace tellaria {

inline constexpr std::size_t LongestSiteTemplate = 2000;
inline constexpr std::size_t MostSites = 20;

// The address `pattern` opens for `termUtf8`. Only for a pattern SiteTemplateError accepts.
std::string ExpandSiteTemplate(std::string_view pattern, std::string_view termUtf8);

// Why `pattern` cannot be an encyclopaedia's address, as a message for the user; empty when it
// can: it must begin with http:// or https:// (in any letter case), name a host, be at most
// LongestSiteTemplate bytes long and hold no placeholder but the three.
std::string SiteTemplateError(std::string_view pattern);

// Why a list of encyclopaedias, names and templates in order, cannot be kept; empty when it can:
// at most MostSites of them, each with a name (not only blanks) no other has, and an address
// SiteTemplateError accepts.
std::string SiteListError(const std::vector<std::pair<std::string, std::string>> &sites);

} // namespace tellaria
