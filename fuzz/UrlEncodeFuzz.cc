// UrlEncodeQuery: the output holds only ASCII letters, digits, "+" and "%XX" (upper-case hex),
// an escape never stands for a byte that could have stayed, and decoding gives the input back.

#include "FuzzSupport.h"
#include "core/UrlEncode.h"

#include <cstdint>

using namespace tellaria;

namespace {

bool IsAlphanumeric(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int UpperHexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::string encoded = UrlEncodeQuery(input);

    std::string decoded;
    for (std::size_t at = 0; at < encoded.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(encoded[at]);
        if (c == '+') {
            decoded += ' ';
        } else if (c == '%') {
            FUZZ_CHECK(at + 2 < encoded.size());
            const int high = UpperHexValue(encoded[at + 1]);
            const int low = UpperHexValue(encoded[at + 2]);
            FUZZ_CHECK(high >= 0 && low >= 0);
            const unsigned char byte = static_cast<unsigned char>(high * 16 + low);
            FUZZ_CHECK(!IsAlphanumeric(byte) && byte != ' ');
            decoded += static_cast<char>(byte);
            at += 2;
        } else {
            FUZZ_CHECK(IsAlphanumeric(c));
            decoded += static_cast<char>(c);
        }
    }
    FUZZ_CHECK(decoded == input);
    return 0;
}
