// The conversions between UTF-8 and the code page: valid UTF-8 goes to the code page and comes
// back unchanged; whatever the bytes, the conversion to UTF-8 gives valid UTF-8, which converts
// back without loss once more.

#include "FuzzSupport.h"
#include "core/CodePage.h"
#include "core/TermText.h"

#include <cstdint>

using namespace tellaria;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string asUtf8 = Utf8(input);
    FUZZ_CHECK(IsValidUtf8(asUtf8));
    FUZZ_CHECK(Utf8(AnsiFromUtf8(asUtf8)) == asUtf8);
    if (IsValidUtf8(input)) {
        const std::string ansi = AnsiFromUtf8(input);
        FUZZ_CHECK(Utf8(ansi) == input);
        const std::optional<std::string> same = AnsiFromUnicode(input, UnicodeEncoding::Utf8);
        FUZZ_CHECK(!same || *same == ansi);
    }
    return 0;
}
