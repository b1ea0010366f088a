#include "search/PlainMatcher.h"

#include <algorithm>

namespace search {

bool PlainMatcher::Compile(std::u16string_view pattern) {
    pattern_ = pattern;
    exact_.emplace(pattern_, CaseFolding::None);
    folded_.emplace(pattern_, CaseFolding::Literal);
    return true;
}

bool PlainMatcher::Find(bool forward, std::u16string_view text, std::size_t& position,
                        std::size_t& end) const {
    const auto& scanner = ignoreCase != 0 ? folded_ : exact_;
    if (!scanner) {
        return false; // nothing compiled
    }
    std::size_t found = LiteralScanner::npos;
    if (forward) {
        // Candidates start before the end of the text, also for an empty pattern.
        if (position < text.size()) {
            found = scanner->find(text, position);
        }
    } else if (position > 0) {
        found = scanner->findBackward(text, std::min(position, text.size() + 1) - 1);
    }
    if (found == LiteralScanner::npos || found >= text.size()) {
        return false;
    }
    position = found;
    end = found + pattern_.size();
    return true;
}

bool PlainMatcher::FindInTail(std::u16string_view tail, bool /*startsLine*/, std::size_t& position,
                              std::size_t& end) const {
    return Find(true, tail, position, end);
}

} // namespace search
