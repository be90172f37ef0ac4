#include "core/SiteList.h"

#include "core/CodePage.h"
#include "core/FileContent.h"
#include "core/ProfileFile.h"
#include "core/SettingsFile.h"
#include "core/SiteTemplate.h"

namespace tellaria {

namespace {

std::string Key(const char *name, std::size_t row)
{
    return name + std::to_string(row + 1);
}

// `value` as it must be written for the profile reading to give it back whole: in quotes where
// reading would trim its blanks or take off a pair of quotes of its own.
std::string Quoted(const std::string &value)
{
    const bool blankEnd = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    const bool ownQuotes = value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
                           && value.back() == value.front();
    return blankEnd || ownQuotes ? '"' + value + '"' : value;
}

} // namespace

SiteListReading ReadSiteList(const std::string &path)
{
    SiteListReading reading;
    // Read once, every key looked up in what was read: the file is not read again per key.
    const FileRead file = ReadWholeFile(path, ProfileFileSizeLimit, ReadLock::None);
    const std::string_view content = file.Error == 0 ? file.Bytes.View() : std::string_view();
    const auto value
        = [&](const std::string &key) { return ProfileLookup(content, SiteListSection, key, ""); };
    const int count = ParseProfileInt(value("Count")).value_or(-1);
    reading.Stored = count >= 0;
    if (!reading.Stored)
        return {BuildSiteTable(), false, std::nullopt};
    std::vector<std::pair<std::string, std::string>> sound;
    for (std::size_t row = 0; row < std::size_t(count); ++row) {
        const std::string name = Utf8(value(Key("Name", row)));
        const std::string url = Utf8(value(Key("Url", row)));
        auto with = sound;
        with.emplace_back(name, url);
        if (SiteError error = SiteListError(with); !error.Ok()) {
            reading.Problem = SiteListProblem{row, std::size_t(count) - row - 1, std::move(error)};
            break;
        }
        sound = std::move(with);
    }
    for (const auto &[name, url] : sound)
        reading.Sites.push_back({name, url});
    if (reading.Sites.empty()) {
        reading.Sites = BuildSiteTable();
        if (!reading.Problem && count > 0)
            reading.Problem = SiteListProblem{};
    }
    return reading;
}

Status WriteSiteList(const std::string &path, const SiteTable &sites)
{
    std::vector<std::pair<std::string, std::string>> keys;
    if (sites != BuildSiteTable()) {
        keys.emplace_back("Count", std::to_string(sites.size()));
        for (std::size_t row = 0; row < sites.size(); ++row) {
            keys.emplace_back(Key("Name", row), Quoted(AnsiFromUtf8(sites[row].Name)));
            keys.emplace_back(Key("Url", row), Quoted(AnsiFromUtf8(sites[row].Url)));
        }
    }
    return WritePrivateProfileSection(SiteListSection, keys, path);
}

int MoveSiteTicks(int ticks, const std::vector<int> &origins)
{
    int moved = 0;
    for (std::size_t row = 0; row < origins.size() && row < 31; ++row) {
        const int from = origins[row];
        if (from == RestoredSiteTicked || (from >= 0 && from < 31 && (ticks >> from) & 1))
            moved |= 1 << row;
    }
    return moved;
}

} // namespace tellaria
