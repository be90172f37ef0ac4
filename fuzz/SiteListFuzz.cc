// The user's encyclopaedia list in the settings file. The input is pairs of lines, a name then
// a template, after a first line of other settings text. Whatever list the program accepts is
// read back exactly as it was written, and no value writes a key of its own: the settings
// around the list keep their values.

#include "FuzzSupport.h"
#include "core/CodePage.h"
#include "core/ProfileFile.h"
#include "core/SiteList.h"
#include "core/SiteTemplate.h"

#include <cstdint>

using namespace tellaria;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> lines;
    while (!input.empty() && lines.size() < 2 * MostSites + 3) {
        const std::size_t end = input.find('\n');
        lines.emplace_back(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    if (lines.size() < 3)
        return 0;
    // Values as the dialog takes them: a line break pasted into a cell stays in the text.
    for (std::string &line : lines) {
        for (char &c : line)
            c = c == '\x01' ? '\n' : c == '\x02' ? '\r' : c;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    SiteTable sites;
    for (std::size_t at = 1; at + 1 < lines.size(); at += 2) {
        pairs.emplace_back(lines[at], lines[at + 1]);
        sites.push_back({lines[at], lines[at + 1]});
    }

    const std::string path = fuzz::ScratchDirectory() + "Lexivanedr.ini";
    const std::string before = "[Form]\r\nwidth=700\r\n[Dictionary]\r\nID=2\r\n";
    fuzz::PutFile(path, before);
    const Status written = WriteSiteList(path, sites);
    // What the settings file holds besides the list never changes through it.
    FUZZ_CHECK(GetPrivateProfileString("Dictionary", "ID", "", path) == "2");
    FUZZ_CHECK(GetPrivateProfileString("Form", "width", "", path) == "700");
    if (!SiteListError(pairs).Ok())
        return 0;
    // The dialog gives text, which the code page holds: not invalid UTF-8, nor the few
    // private-use characters the code page has no bytes for.
    for (const auto &[name, url] : pairs) {
        if (Utf8(AnsiFromUtf8(name)) != name || Utf8(AnsiFromUtf8(url)) != url)
            return 0;
    }
    FUZZ_CHECK(written.Ok());
    const SiteListReading reading = ReadSiteList(path);
    FUZZ_CHECK(!reading.Problem);
    FUZZ_CHECK(reading.Sites == sites);
    return 0;
}
