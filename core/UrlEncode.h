#pragma once

// Percent-encoding of query text for the dictionary services.

#include <string>
#include <string_view>

namespace tellaria {

// Walks the bytes in order: a space becomes "+", an ASCII letter or digit stays, every other byte
// becomes "%" and two upper-case hexadecimal digits. Works on bytes, not characters, so every byte
// of a multi-byte character is escaped on its own.
std::string UrlEncodeQuery(std::string_view bytes);

} // namespace tellaria
