#include "search/LiteralScanner.h"

#include <algorithm>
#include <type_traits>

namespace search {

namespace {

using Needle = LiteralScanner::Needle;
constexpr std::size_t npos = LiteralScanner::npos;

// The longer of the two maximal suffixes (one for each order of the units) gives a critical
// factorization: its start and the local period there.
std::size_t criticalFactorization(std::u16string_view u, std::size_t& period) {
    const std::size_t m = u.size();
    if (m < 3) {
        period = 1;
        return m - 1;
    }
    auto maximalSuffix = [&](bool reversed, std::size_t& p) {
        std::size_t start = npos; // one before the suffix, wrapping from -1
        std::size_t j = 0;
        std::size_t k = 1;
        p = 1;
        while (j + k < m) {
            const char16_t a = u[j + k];
            const char16_t b = u[start + k];
            if (reversed ? b < a : a < b) {
                j += k;
                k = 1;
                p = j - start;
            } else if (a == b) {
                if (k != p) {
                    ++k;
                } else {
                    j += p;
                    k = 1;
                }
            } else {
                start = j++;
                k = p = 1;
            }
        }
        return start + 1;
    };
    std::size_t forwardPeriod = 1;
    std::size_t reversedPeriod = 1;
    const std::size_t forwardStart = maximalSuffix(false, forwardPeriod);
    const std::size_t reversedStart = maximalSuffix(true, reversedPeriod);
    if (reversedStart < forwardStart) {
        period = forwardPeriod;
        return forwardStart;
    }
    period = reversedPeriod;
    return reversedStart;
}

Needle prepare(std::u16string units) {
    Needle needle;
    needle.units = std::move(units);
    const std::u16string_view u = needle.units;
    const std::size_t m = u.size();
    needle.skip.fill(static_cast<std::uint32_t>(std::max<std::size_t>(m, 1)));
    if (m == 0) {
        return needle;
    }
    for (std::size_t i = 0; i < m; ++i) {
        needle.skip[u[i] & 0xFFU] = static_cast<std::uint32_t>(m - 1 - i);
    }
    std::size_t period = 1;
    needle.suffix = criticalFactorization(u, period);
    needle.periodic = needle.suffix + period <= m &&
                      u.substr(0, needle.suffix) == u.substr(period, needle.suffix);
    needle.period = needle.periodic ? period : std::max(needle.suffix, m - needle.suffix) + 1;
    return needle;
}

// The first haystack index h >= from (h + m <= n) where the needle stands, or npos; unit(h)
// gives the folded haystack unit at h. Every text unit is read a bounded number of times.
template <class Unit>
std::size_t twoWay(const Needle& needle, std::size_t n, std::size_t from, Unit unit) {
    const std::u16string_view u = needle.units;
    const std::size_t m = u.size();
    const std::size_t suffix = needle.suffix;
    const std::size_t period = needle.period;
    std::size_t memory = 0; // a periodic needle's prefix known to match after a period shift
    for (std::size_t j = from; j <= n && n - j >= m;) {
        std::size_t shift = needle.skip[unit(j + m - 1) & 0xFFU];
        if (shift > 0) {
            if (memory != 0 && shift < period) {
                shift = m - period;
            }
            memory = 0;
            j += shift;
            continue;
        }
        std::size_t i = std::max(suffix, memory);
        while (i < m && u[i] == unit(j + i)) {
            ++i;
        }
        if (i < m) {
            j += i - suffix + 1;
            memory = 0;
            continue;
        }
        std::size_t k = suffix;
        while (k > memory && u[k - 1] == unit(j + k - 1)) {
            --k;
        }
        if (k <= memory) {
            return j;
        }
        j += period;
        memory = needle.periodic ? m - period : 0;
    }
    return npos;
}

template <CaseFolding F> char16_t folded(char16_t c) {
    return foldCase(F, c);
}

template <CaseFolding F>
std::size_t findForward(const Needle& needle, std::u16string_view text, std::size_t from) {
    const std::size_t m = needle.units.size();
    if (m == 1) {
        const char16_t want = needle.units[0];
        for (std::size_t i = from; i < text.size(); ++i) {
            if (folded<F>(text[i]) == want) {
                return i;
            }
        }
        return npos;
    }
    const char16_t* t = text.data();
    return twoWay(needle, text.size(), from, [t](std::size_t h) { return folded<F>(t[h]); });
}

template <CaseFolding F>
std::size_t findReversed(const Needle& needle, std::u16string_view text, std::size_t last) {
    const std::size_t m = needle.units.size();
    const std::size_t n = text.size();
    const std::size_t first = std::min(last, n - m); // the latest start that may match
    if (m == 1) {
        const char16_t want = needle.units[0];
        for (std::size_t i = first + 1; i-- > 0;) {
            if (folded<F>(text[i]) == want) {
                return i;
            }
        }
        return npos;
    }
    // Haystack index h stands for text index n - 1 - h; the needle is reversed.
    const char16_t* top = text.data() + (n - 1);
    const std::size_t h =
        twoWay(needle, n, n - m - first, [top](std::size_t i) { return folded<F>(*(top - i)); });
    return h == npos ? npos : n - m - h;
}

// Calls `scan` with the folding as a compile-time constant, so each scan loop is made for it.
template <class Scan> std::size_t withFolding(CaseFolding folding, Scan scan) {
    switch (folding) {
    case CaseFolding::Ascii:
        return scan(std::integral_constant<CaseFolding, CaseFolding::Ascii>{});
    case CaseFolding::Literal:
        return scan(std::integral_constant<CaseFolding, CaseFolding::Literal>{});
    case CaseFolding::None:
        break;
    }
    return scan(std::integral_constant<CaseFolding, CaseFolding::None>{});
}

} // namespace

LiteralScanner::LiteralScanner(std::u16string_view literal, CaseFolding folding)
    : folding_(folding) {
    std::u16string units(literal);
    for (char16_t& c : units) {
        c = foldCase(folding, c);
    }
    std::u16string reversed(units.rbegin(), units.rend());
    forward_ = prepare(std::move(units));
    backward_ = prepare(std::move(reversed));
}

bool LiteralScanner::matchesAt(std::u16string_view text, std::size_t i) const {
    const std::u16string_view u = forward_.units;
    if (i > text.size() || text.size() - i < u.size()) {
        return false;
    }
    for (std::size_t k = 0; k < u.size(); ++k) {
        if (foldCase(folding_, text[i + k]) != u[k]) {
            return false;
        }
    }
    return true;
}

std::size_t LiteralScanner::find(std::u16string_view text, std::size_t from) const {
    const std::size_t m = length();
    if (from > text.size() || text.size() - from < m) {
        return npos;
    }
    if (m == 0) {
        return from;
    }
    return withFolding(folding_, [&](auto folding) {
        return findForward<decltype(folding)::value>(forward_, text, from);
    });
}

std::size_t LiteralScanner::findBackward(std::u16string_view text, std::size_t last) const {
    const std::size_t m = length();
    if (text.size() < m) {
        return npos;
    }
    if (m == 0) {
        return std::min(last, text.size());
    }
    return withFolding(folding_, [&](auto folding) {
        return findReversed<decltype(folding)::value>(backward_, text, last);
    });
}

} // namespace search
