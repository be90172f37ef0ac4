#pragma once

// Text with the bytes a caller counts as blank taken off both its ends.

#include <string_view>

namespace tellaria {

template<typename Blank>
std::string_view TrimmedBy(std::string_view text, Blank blank)
{
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace tellaria
