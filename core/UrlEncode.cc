#include "core/UrlEncode.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tellaria {

namespace {

// For each byte, its encoding (up to three characters, padded to four) and its length. Writing
// the four bytes whatever the length avoids a branch per byte that mixed text would mispredict.
struct Encoding
{
    char Text[4];
    std::uint32_t Size;
};

constexpr std::array<Encoding, 256> MakeEncodings()
{
    constexpr char hexDigits[] = "0123456789ABCDEF";
    std::array<Encoding, 256> encodings{};
    for (int byte = 0; byte < 256; ++byte) {
        Encoding &encoding = encodings[byte];
        const bool kept = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z')
                          || (byte >= 'a' && byte <= 'z');
        if (byte == ' ') {
            encoding = {{'+', 0, 0, 0}, 1};
        } else if (kept) {
            encoding = {{static_cast<char>(byte), 0, 0, 0}, 1};
        } else {
            encoding = {{'%', hexDigits[byte >> 4], hexDigits[byte & 0xF], 0}, 3};
        }
    }
    return encodings;
}

constexpr std::array<Encoding, 256> Encodings = MakeEncodings();

} // namespace

std::string UrlEncodeQuery(std::string_view bytes)
{
    // Sized for the worst case plus the padding byte of the last write, and cut back once.
    std::string result(bytes.size() * 3 + 1, '\0');
    char *out = result.data();
    for (const char c : bytes) {
        const Encoding &encoding = Encodings[static_cast<unsigned char>(c)];
        std::memcpy(out, encoding.Text, 4);
        out += encoding.Size;
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    return result;
}

} // namespace tellaria
