#include "search/RegexMatcher.h"

#include "search/PlainMatcher.h"

namespace search {

bool RegexMatcher::Compile(std::u16string_view pattern) {
    program_ = RegexProgram::Compile(pattern);
    return program_ != nullptr;
}

bool RegexMatcher::search(bool forward, std::u16string_view text, bool startsLine,
                          std::size_t& position, std::size_t& end) const {
    if (!program_ || RegexSearch(*program_, text, captures_, ignoreCase != 0, position, forward,
                                 startsLine) == 0) {
        return false;
    }
    position = captures_[0].start;
    end = captures_[0].end;
    return true;
}

bool RegexMatcher::Find(bool forward, std::u16string_view text, std::size_t& position,
                        std::size_t& end) const {
    return search(forward, text, true, position, end);
}

bool RegexMatcher::FindInTail(std::u16string_view tail, bool startsLine, std::size_t& position,
                              std::size_t& end) const {
    return search(true, tail, startsLine, position, end);
}

std::unique_ptr<TextMatcher> MakeTextMatcher(bool useRegex) {
    if (useRegex) {
        return std::make_unique<RegexMatcher>();
    }
    return std::make_unique<PlainMatcher>();
}

} // namespace search
