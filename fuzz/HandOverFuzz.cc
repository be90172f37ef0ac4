// The hand-over message, as the running copy takes it from any program of the user's: any bytes
// decode without harm; what decodes asks for a mode the window has, and, written again for the
// socket, is one line that decodes to the same request.
//
// Input layout: a first byte that is even gives the message, the rest of the input, as it is.
// Qt's parser is not instrumented, so the fuzzer cannot learn from it what JSON is: an odd first
// byte builds a JSON object from the rest instead, so that values of every kind reach the
// decoder. Each member is a byte choosing the key, a byte choosing the kind of value, and the
// value's bytes up to the next 0xff byte.

#include "FuzzSupport.h"
#include "core/LookupCatalogue.h"
#include "desktop/LookupRequest.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

using namespace tellaria;

namespace {

// The bytes as a JSON string; bytes that are not UTF-8 stay as they are.
QByteArray Quoted(std::string_view bytes)
{
    QByteArray quoted = "\"";
    for (const char c : bytes) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

// A number from the first eight bytes, as a double when `asDouble`, else as an integer.
QByteArray Number(std::string_view bytes, bool asDouble)
{
    std::array<char, 8> raw{};
    std::memcpy(raw.data(), bytes.data(), std::min(bytes.size(), raw.size()));
    char text[64];
    if (asDouble) {
        double value;
        std::memcpy(&value, raw.data(), sizeof value);
        std::snprintf(text, sizeof text, "%.17g", value);
    } else {
        std::int64_t value;
        std::memcpy(&value, raw.data(), sizeof value);
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    }
    return text;
}

QByteArray BuildObject(std::string_view input)
{
    static constexpr std::array<const char *, 6> keys{
        "term", "mode", "selectionTooLong", "startupId", "activationToken", "other"};
    QByteArray object = "{";
    while (input.size() >= 2) {
        const char *key = keys[static_cast<unsigned char>(input[0]) % keys.size()];
        const unsigned kind = static_cast<unsigned char>(input[1]) % 7;
        input.remove_prefix(2);
        const std::size_t end = input.find('\xff');
        const std::string_view bytes = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
        if (object.size() > 1)
            object += ',';
        object += Quoted(key) + ':';
        switch (kind) {
        case 0:
            object += Quoted(bytes);
            break;
        case 1: // any token, a number written oddly, say
            object += QByteArray(bytes.data(), qsizetype(bytes.size()));
            break;
        case 2:
            object += bytes.empty() ? "false" : "true";
            break;
        case 3:
            object += "null";
            break;
        case 4:
            object += '[' + Quoted(bytes) + ']';
            break;
        default:
            object += Number(bytes, kind == 5);
            break;
        }
    }
    return object + '}';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char *>(data) + 1, size - 1);
    const QByteArray message
        = data[0] % 2 == 0 ? QByteArray(rest.data(), qsizetype(rest.size())) : BuildObject(rest);
    const std::optional<TLookupRequest> request = DecodeLookupRequest(message);
    if (!request)
        return 0;
    FUZZ_CHECK(request->Mode >= -1 && request->Mode < LookupModeCount);
    const QByteArray again = EncodeLookupRequest(*request);
    // The running copy reads up to the first line break.
    FUZZ_CHECK(again.indexOf('\n') == again.size() - 1);
    FUZZ_CHECK(DecodeLookupRequest(again) == request);
    return 0;
}
