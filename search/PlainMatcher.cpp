#include "search/PlainMatcher.h"

#include <algorithm>

namespace search {

bool PlainMatcher::Compile(std::u16string_view pattern) {
    pattern_ = pattern;
    exact_.emplace(pattern_, false);
    folded_.emplace(pattern_, true);
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

} // namespace search
