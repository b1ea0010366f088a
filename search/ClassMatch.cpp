#include "search/ClassMatch.h"

#include "search/RegexEscape.h"

#include <algorithm>

namespace search {

namespace {

using Ranges = std::vector<std::pair<char16_t, char16_t>>;

// Sorts and merges overlapping or touching ranges.
Ranges normalise(Ranges ranges) {
    std::sort(ranges.begin(), ranges.end());
    Ranges merged;
    for (const auto& r : ranges) {
        if (!merged.empty() && static_cast<unsigned>(r.first) <= merged.back().second + 1U) {
            merged.back().second = std::max(merged.back().second, r.second);
        } else {
            merged.push_back(r);
        }
    }
    return merged;
}

Ranges complement(const Ranges& ranges) {
    Ranges result;
    unsigned next = 0;
    for (const auto& r : ranges) {
        if (r.first > next) {
            result.emplace_back(static_cast<char16_t>(next), static_cast<char16_t>(r.first - 1));
        }
        next = r.second + 1U;
    }
    if (next <= 0xFFFF) {
        result.emplace_back(static_cast<char16_t>(next), u'\xFFFF');
    }
    return result;
}

// The member walk of ClassMatch, collecting every member instead of stopping at a hit; the
// union of the members, negated by a leading "^", is exactly what ClassMatch accepts.
Ranges classRanges(std::u16string_view k) {
    bool negated = false;
    std::size_t i = 0;
    if (!k.empty() && k[0] == u'^') {
        negated = true;
        i = 1;
    }
    Ranges members;
    while (i < k.size()) {
        if (i + 2 < k.size() && k[i + 1] == u'-') {
            if (k[i] <= k[i + 2]) {
                members.emplace_back(k[i], k[i + 2]);
            }
            i += 3;
        } else if (k[i] == u'\\' && i + 1 < k.size()) {
            const DecodedEscape escape = decodeEscape(k.substr(i + 1));
            const Ranges inner = classRanges(escape.text());
            members.insert(members.end(), inner.begin(), inner.end());
            i += 1 + escape.consumed;
        } else {
            members.emplace_back(k[i], k[i]);
            ++i;
        }
    }
    members = normalise(std::move(members));
    return negated ? complement(members) : members;
}

} // namespace

bool ClassMatch(std::u16string_view k, char16_t c) {
    bool negated = false;
    std::size_t i = 0;
    if (!k.empty() && k[0] == u'^') {
        negated = true;
        i = 1;
    }
    bool matched = false;
    while (i < k.size() && !matched) {
        if (i + 2 < k.size() && k[i + 1] == u'-') {
            matched = k[i] <= c && c <= k[i + 2];
            i += 3;
        } else if (k[i] == u'\\' && i + 1 < k.size()) {
            // Decoded escapes are at most "^" plus a short class, so this recursion is shallow.
            const DecodedEscape escape = decodeEscape(k.substr(i + 1));
            matched = ClassMatch(escape.text(), c);
            i += 1 + escape.consumed;
        } else {
            matched = k[i] == c;
            ++i;
        }
    }
    return matched != negated;
}

ClassSet::ClassSet(std::u16string_view k) : ranges_(classRanges(k)) {
    for (const auto& r : ranges_) {
        for (unsigned c = r.first; c <= r.second && c < 128; ++c) {
            ascii_[c >> 6] |= std::uint64_t{1} << (c & 63);
        }
    }
}

bool ClassSet::containsWide(char16_t c) const {
    auto it = std::upper_bound(ranges_.begin(), ranges_.end(), c,
                               [](char16_t v, const auto& r) { return v < r.first; });
    return it != ranges_.begin() && c <= std::prev(it)->second;
}

} // namespace search
