#pragma once

// The scans that split history and settings files into lines: finding the first of a few byte
// values, sixteen bytes at a time where the processor allows it. Byte-by-byte loops here made
// reading a large file several times slower than the read itself.

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
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

// Where the CRs, the LFs and the NULs are among the 64 bytes at `at`: bit i stands for byte i.
// One pass over a buffer finds every line break 64 bytes at a time, with no call per line.
struct LineBreakMasks
{
    std::uint64_t Cr = 0;
    std::uint64_t Lf = 0;
    std::uint64_t Nul = 0;
};

inline LineBreakMasks FindLineBreaks64(const char *at)
{
    LineBreakMasks masks;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    __m128i nul = _mm_set1_epi8(-1);
    for (int part = 0; part < 4; ++part) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at + 16 * part));
        const int shift = 16 * part;
        masks.Cr
            |= std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr))))
               << shift;
        masks.Lf
            |= std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf))))
               << shift;
        nul = _mm_min_epu8(nul, block);
    }
    // A NUL is rare: looked for byte by byte only in a block whose smallest byte is 0.
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(nul, _mm_setzero_si128())) != 0) {
        for (int i = 0; i < 64; ++i)
            masks.Nul |= at[i] == '\0' ? std::uint64_t(1) << i : 0;
    }
#else
    for (int i = 0; i < 64; ++i) {
        const std::uint64_t bit = std::uint64_t(1) << i;
        masks.Cr |= at[i] == '\r' ? bit : 0;
        masks.Lf |= at[i] == '\n' ? bit : 0;
        masks.Nul |= at[i] == '\0' ? bit : 0;
    }
#endif
    return masks;
}

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define TELLARIA_LINE_BREAKS_AVX2 1

// The same with 32-byte compares, for processors that have them (asked at run time).
__attribute__((target("avx2"))) inline LineBreakMasks FindLineBreaks64Avx2(const char *at)
{
    LineBreakMasks masks;
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
    const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at + 32));
    const auto cmp = [](__m256i a, __m256i b) __attribute__((target("avx2")))
    {
        return std::uint64_t(
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(a, b))));
    };
    masks.Cr = cmp(low, cr) | cmp(high, cr) << 32;
    masks.Lf = cmp(low, lf) | cmp(high, lf) << 32;
    const __m256i smallest = _mm256_min_epu8(low, high);
    const __m256i zero = _mm256_setzero_si256();
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi8(smallest, zero)) != 0)
        masks.Nul = cmp(low, zero) | cmp(high, zero) << 32;
    return masks;
}
#endif

// A block of 64 bytes holding the `size` (< 64) bytes at `at`, then blanks: the end of a buffer
// scanned as a whole block.
struct PaddedBlock
{
    PaddedBlock(const char *at, std::size_t size)
    {
        std::memset(Bytes, ' ', sizeof Bytes);
        std::memcpy(Bytes, at, size);
    }
    char Bytes[64];
};

} // namespace tellaria
