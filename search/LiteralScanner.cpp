#include "search/LiteralScanner.h"

#include "search/CaseFold.h"

#include <algorithm>

namespace search {

LiteralScanner::LiteralScanner(std::u16string_view literal, bool foldCase)
    : literal_(literal), foldCase_(foldCase) {
    if (foldCase_) {
        for (char16_t& c : literal_) {
            c = foldAsciiCase(c);
        }
    }
    const std::size_t m = literal_.size();
    skip_.fill(static_cast<std::uint32_t>(m == 0 ? 1 : m));
    for (std::size_t i = 0; i + 1 < m; ++i) {
        skip_[literal_[i] & 0xFFU] = static_cast<std::uint32_t>(m - 1 - i);
    }
}

char16_t LiteralScanner::unit(char16_t c) const {
    return foldCase_ ? foldAsciiCase(c) : c;
}

bool LiteralScanner::matchesAt(std::u16string_view text, std::size_t i) const {
    const std::size_t m = literal_.size();
    if (i > text.size() || text.size() - i < m) {
        return false;
    }
    for (std::size_t k = 0; k < m; ++k) {
        if (unit(text[i + k]) != literal_[k]) {
            return false;
        }
    }
    return true;
}

std::size_t LiteralScanner::find(std::u16string_view text, std::size_t from) const {
    const std::size_t m = literal_.size();
    const std::size_t n = text.size();
    if (from > n || n - from < m) {
        return npos;
    }
    if (m == 0) {
        return from;
    }
    const char16_t last = literal_[m - 1];
    if (m == 1) {
        for (std::size_t i = from; i < n; ++i) {
            if (unit(text[i]) == last) {
                return i;
            }
        }
        return npos;
    }
    // Horspool: compare the window's last unit, then the rest; shift by the last unit's skip.
    for (std::size_t i = from; i + m <= n;) {
        const char16_t c = unit(text[i + m - 1]);
        if (c == last && matchesAt(text, i)) {
            return i;
        }
        i += skip_[c & 0xFFU];
    }
    return npos;
}

std::size_t LiteralScanner::findBackward(std::u16string_view text, std::size_t last) const {
    const std::size_t m = literal_.size();
    const std::size_t n = text.size();
    if (n < m) {
        return npos;
    }
    std::size_t i = std::min(last, n - m);
    if (m == 0) {
        return i;
    }
    const char16_t first = literal_[0];
    for (;; --i) {
        if (unit(text[i]) == first && matchesAt(text, i)) {
            return i;
        }
        if (i == 0) {
            return npos;
        }
    }
}

} // namespace search
