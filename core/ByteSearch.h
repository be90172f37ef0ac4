#pragma once

// The scans that split history and settings files into lines: finding the first of a few byte
// values, sixteen bytes at a time where the processor allows it. Byte-by-byte loops here made
// reading a large file several times slower than the read itself.

#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tellaria {

// The first byte in [at, end) equal to `a`, `b` or `c`; `end` when there is none.
inline const char *FindFirstOf(const char *at, const char *end, char a, char b, char c)
{
#if defined(__SSE2__)
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    const __m128i wantC = _mm_set1_epi8(c);
    while (end - at >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        const __m128i hits
            = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, wantA), _mm_cmpeq_epi8(block, wantB)),
                           _mm_cmpeq_epi8(block, wantC));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return at + __builtin_ctz(static_cast<unsigned>(mask));
        at += 16;
    }
#endif
    while (at < end && *at != a && *at != b && *at != c)
        ++at;
    return at;
}

// The first CR or LF in [at, end); `end` when there is none.
inline const char *FindLineBreak(const char *at, const char *end)
{
    return FindFirstOf(at, end, '\r', '\n', '\n');
}

// Where the line ending at `lineEnd` (a CR, an LF or `end`) is followed by the next one: CR LF is
// one break.
inline const char *SkipLineBreak(const char *lineEnd, const char *end)
{
    if (lineEnd == end)
        return end;
    if (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
        return lineEnd + 2;
    return lineEnd + 1;
}

} // namespace tellaria
