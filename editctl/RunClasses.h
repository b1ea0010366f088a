#pragma once
// Sorting eight code units at once for layout: which are control characters (CR, tab and the
// rest up to U+000D, which layout looks at one by one) and which end a word (a space or a
// character from U+0100 on). One bit per code unit, bit j for unit j. Also the search for a CR.

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace editctl {

struct RunClasses {
    unsigned control = 0;
    unsigned nonWord = 0;
};

// The classes of p[0] to p[7].
inline RunClasses classifyRun(const char16_t* p) noexcept {
    RunClasses classes;
#if defined(__SSE2__)
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i zero = _mm_setzero_si128();
    // Saturating subtraction leaves 0 exactly for the units up to U+000D.
    const __m128i control = _mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(0x0D)), zero);
    const __m128i narrow = _mm_cmpeq_epi16(_mm_srli_epi16(units, 8), zero);
    const __m128i space = _mm_cmpeq_epi16(units, _mm_set1_epi16(0x20));
    const __m128i nonWord = _mm_or_si128(_mm_andnot_si128(narrow, _mm_set1_epi16(-1)), space);
    // Packing the 16-bit lanes to bytes gives one mask bit per unit.
    classes.control = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(control, zero)));
    classes.nonWord = static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(nonWord, zero)));
#else
    for (int j = 0; j < 8; ++j) {
        classes.control |= static_cast<unsigned>(p[j] <= 0x0D) << j;
        classes.nonWord |= static_cast<unsigned>(p[j] >= 0x100 || p[j] == u' ') << j;
    }
#endif
    return classes;
}

// The first CR in [p, end), or end.
inline const char16_t* findCr(const char16_t* p, const char16_t* end) noexcept {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi16(0x0D);
    for (; end - p >= 8; p += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(units, cr)));
        if (found != 0) {
            return p + std::countr_zero(found) / 2;
        }
    }
#endif
    for (; p != end; ++p) {
        if (*p == u'\r') {
            return p;
        }
    }
    return end;
}

} // namespace editctl
