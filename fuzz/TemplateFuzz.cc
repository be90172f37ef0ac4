// An encyclopaedia's address template filled with a term. The input is the template, a line
// break, then the term. For every template the list accepts: the filled address keeps the
// template's own scheme, host and port, or is refused and names only those; it holds no control
// character and no blank outside what the engine escapes; and a term made one line is one line.

#include "FuzzSupport.h"
#include "core/SiteTemplate.h"
#include "core/TermText.h"

#include <cstdint>

using namespace tellaria;

namespace {

// The template without its placeholders: the address the term must not change the start of.
std::string Bare(std::string_view pattern)
{
    std::string bare;
    for (std::size_t at = 0; at < pattern.size();) {
        bool placeholder = false;
        for (const std::string_view mark : {"{term}", "{utf8}", "{gb18030}"}) {
            if (pattern.substr(at).starts_with(mark)) {
                at += mark.size();
                placeholder = true;
                break;
            }
        }
        if (!placeholder)
            bare += pattern[at++];
    }
    return bare;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t split = input.find('\n');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view term
        = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    const std::string line = OneLineTerm(term);
    FUZZ_CHECK(!HasControlCharacter(line));
    FUZZ_CHECK(OneLineTerm(line) == line);
    std::string capped = line;
    CapTermLength(capped, 7);
    FUZZ_CHECK(line.starts_with(capped));

    if (!SiteTemplateError(pattern).Ok())
        return 0;
    const SiteAddress address = ExpandSiteTemplate(pattern, term);
    const std::string bare = Bare(pattern);
    const std::string_view origin = AddressOrigin(bare);
    FUZZ_CHECK(!HasControlCharacter(address.Url));
    if (address.Fault == AddressFault::HostMoved) {
        FUZZ_CHECK(address.Url == std::string(origin) + "/");
        return 0;
    }
    // Read as a web browser reads it, the address's authority is the template's own.
    FUZZ_CHECK(SameIgnoringCase(AddressOrigin(address.Url), origin));
    FUZZ_CHECK(address.Url.size() > origin.size()
                   ? std::string_view("/?#\\").find(address.Url[origin.size()])
                         != std::string_view::npos
                   : address.Url.size() == origin.size());
    return 0;
}
