// The conversions between UTF-8 and the code page: valid UTF-8 goes to the code page and comes
// back unchanged; whatever the bytes, the conversion to UTF-8 gives valid UTF-8, which converts
// back without loss once more.

#include "FuzzSupport.h"
#include "core/CodePage.h"

#include <cstdint>

using namespace tellaria;

namespace {

// Strict UTF-8: shortest forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
        const unsigned char lead = byte(0);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, code = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, code = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, code = lead & 0x07;
        else
            return false;
        if (at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(i) & 0xC0) != 0x80)
                return false;
            code = code << 6 | (byte(i) & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF
            || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

} // namespace

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
