#pragma once

// A query term as it may travel: one line of text. Terms come from typing, the clipboard, the
// selection, the command line and other programs; a line break or another control character in
// one would reach a site's address and split the history file's lines. All texts are UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace tellaria {

// The longest term looked up, in characters (code points), as for a selected text.
inline constexpr std::size_t LongestTerm = 1000;

// Whether `utf8` holds a control character: C0 (up to U+001F), DEL, C1 (U+0080 to U+009F), or
// the line and paragraph separators U+2028 and U+2029.
bool HasControlCharacter(std::string_view utf8);

// Whether `text` is valid UTF-8: shortest forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

// `utf8` as one line: each run of control characters within the text becomes a single space;
// runs at either end are dropped, so a line copied with its line break looks up the line. Text
// without a control character comes back unchanged.
std::string OneLineTerm(std::string_view utf8);

// Cuts `utf8` to its first `most` characters, never inside one; true when it cut.
bool CapTermLength(std::string &utf8, std::size_t most = LongestTerm);

} // namespace tellaria
