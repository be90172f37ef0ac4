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

#include <string>
#include <string_view>

namespace tellaria {

// The ANSI term converted to Unicode and encoded as UTF-8. Bytes that are not valid in the code
// page become U+FFFD; the function never fails.
std::string Utf8(std::string_view ansi);

// UTF-8 text converted to the ANSI code page. Invalid UTF-8 sequences become "?"; the function
// never fails. Every character of Unicode has GB18030 bytes, so valid input round-trips.
std::string AnsiFromUtf8(std::string_view utf8);

// UTF-16 text (without its byte-order mark) converted to the ANSI code page. Each code unit that
// is not part of a valid character (an unpaired surrogate, an odd last byte) becomes "?"; the
// function never fails.
std::string AnsiFromUtf16(std::string_view utf16, bool bigEndian);

} // namespace tellaria
