#pragma once

// The user's own list of encyclopaedias, kept in the settings file's [Encyclopedias] section:
// "Count", then "Name1", "Url1", "Name2", "Url2" … in check-list order, in the file's code page.
// The section is there only while the list differs from the shipped five; without it the list
// is the shipped five.

#include "core/LookupCatalogue.h"
#include "core/SiteTemplate.h"
#include "core/Status.h"

#include <optional>
#include <string>
#include <vector>

namespace tellaria {

inline constexpr std::string_view SiteListSection = "Encyclopedias";

// A stored list read only in part: row Row (from 0) could not be used for Error, and the Unread
// rows after it were not read either; or, with Error Ok, the list as a whole could not be used
// and the shipped five stand in.
struct SiteListProblem
{
    std::size_t Row = 0;
    std::size_t Unread = 0;
    SiteError Error;

    friend bool operator==(const SiteListProblem &, const SiteListProblem &) = default;
};

struct SiteListReading
{
    SiteTable Sites;
    // Whether the file holds a list of its own (even one read only in part).
    bool Stored = false;
    // What of a list broken by hand could not be read; nothing when all of it was.
    std::optional<SiteListProblem> Problem;
};

// The list the settings file at `path` holds: the shipped five without a section, else its
// entries as far as they are sound (each with a name and an address SiteListError accepts, at
// most MostSites, no more than Count says); the rest is told in Problem. A stored list of which
// nothing is sound gives the shipped five.
SiteListReading ReadSiteList(const std::string &path);

// Writes `sites` as the section, or removes the section when they are the shipped five.
Status WriteSiteList(const std::string &path, const SiteTable &sites);

// The ticks of a list after an edit: `ticks` has one bit per old row (row 0 the lowest);
// `origins[row]` is the old row the new row `row` came from, -1 for a row added (not ticked), or
// RestoredSiteTicked for a shipped row brought back (ticked, as the shipped rows come). The bits
// of rows that went are dropped.
inline constexpr int RestoredSiteTicked = -2;
int MoveSiteTicks(int ticks, const std::vector<int> &origins);

} // namespace tellaria
