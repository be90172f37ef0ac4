#include "core/TermText.h"

namespace tellaria {

namespace {

// The length of the control character at the start of `text`, or 0 when none starts there.
std::size_t ControlLength(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (byte(0) < 0x20 || byte(0) == 0x7F)
        return 1;
    if (text.size() >= 2 && byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F)
        return 2;
    if (text.size() >= 3 && byte(0) == 0xE2 && byte(1) == 0x80
        && (byte(2) == 0xA8 || byte(2) == 0xA9))
        return 3;
    return 0;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
        const unsigned char lead = byte(0);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, code = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, code = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, code = lead & 0x07;
        else if (lead >= 0x80)
            return false;
        if (at + length > text.size())
            return false;
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(i) & 0xC0) != 0x80)
                return false;
            code = code << 6 | (byte(i) & 0x3F);
        }
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        at += length;
    }
    return true;
}

bool HasControlCharacter(std::string_view utf8)
{
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if (ControlLength(utf8.substr(at)) != 0)
            return true;
    }
    return false;
}

std::string OneLineTerm(std::string_view utf8)
{
    std::string line;
    line.reserve(utf8.size());
    bool pendingSpace = false;
    std::size_t at = 0;
    while (at < utf8.size()) {
        if (const std::size_t length = ControlLength(utf8.substr(at))) {
            pendingSpace = !line.empty();
            at += length;
            continue;
        }
        if (pendingSpace)
            line += ' ';
        pendingSpace = false;
        line += utf8[at++];
    }
    return line;
}

bool CapTermLength(std::string &utf8, std::size_t most)
{
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        // A continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80)
            continue;
        if (characters++ == most) {
            utf8.resize(at);
            return true;
        }
    }
    return false;
}

} // namespace tellaria
