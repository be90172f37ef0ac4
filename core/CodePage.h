#pragma once

// Conversion between the program's ANSI code page and Unicode.
//
// Every text the program holds is a byte string in its ANSI code page. That code page is GB18030,
// whatever the machine's locale: it keeps the GBK bytes of every character GBK has ("中" is D6 D0)
// and, unlike GBK, can still hold characters GBK lacks (emoji, rare ideographs), so no entry of the
// query history and no URL loses a character to "?".
//
// This module is the only place that knows how the conversion is done (iconv here); a Windows
// build would put the system's own conversion behind the same two functions.

#include <optional>
#include <string>
#include <string_view>

namespace tellaria {

// The ANSI term converted to Unicode and encoded as UTF-8. Bytes that are not valid in the code
// page become U+FFFD; the function never fails.
std::string Utf8(std::string_view ansi);

// UTF-8 text converted to the ANSI code page. Invalid UTF-8 sequences become "?"; the function
// never fails. Every character of Unicode has GB18030 bytes, so valid input round-trips.
std::string AnsiFromUtf8(std::string_view utf8);

enum class UnicodeEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

// Unicode text in `encoding` (without a byte-order mark) converted to the ANSI code page; nothing
// when the text is not valid in its encoding or holds a character the code page cannot take
// back (a few private-use ones), so that a result is always the whole text.
std::optional<std::string> AnsiFromUnicode(std::string_view text, UnicodeEncoding encoding);

} // namespace tellaria
