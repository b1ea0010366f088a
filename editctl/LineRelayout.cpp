#include "editctl/COomEx.h"
#include "editctl/LineLayout.h"
#include "editctl/LineTable.h"
#include "editctl/TextStore.h"

#include <algorithm>
#include <limits>
#include <new>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr std::int64_t kNoCharBudget = std::numeric_limits<std::int64_t>::max();
constexpr int kNoLineBudget = std::numeric_limits<int>::max();
// How far back from an edit a word end is looked for before the line before is re-broken.
constexpr int kWordEndSearch = 256;
// Characters looked at together while counting columns.
constexpr int kBlock = 128;

bool isWordCharacter(char16_t ch) noexcept {
    return ch < 0x100 && ch != u' ' && ch != u'\t' && ch != kCr;
}

// Adds a later step to what earlier steps changed; line numbers are the latest ones.
void merge(LineLayout::Change& into, const LineLayout::Change& step) {
    if (step.firstLine < 0) {
        return;
    }
    if (into.firstLine < 0) {
        const int before = into.linesBefore;
        into = step;
        into.linesBefore = before;
        return;
    }
    const bool moved = into.linesAfter != into.linesBefore || step.linesAfter != step.linesBefore;
    into.firstLine = std::min(into.firstLine, step.firstLine);
    into.lastLine = moved ? step.linesAfter : std::max(into.lastLine, step.lastLine);
    into.linesAfter = step.linesAfter;
}

} // namespace

bool LineLayout::hasUnsettled() const noexcept {
    return lines_.unsettledCount() > 0;
}

bool LineLayout::previousLineEndsBefore(int line, int at) const {
    const auto lineStart = static_cast<int>(lines_.start(line));
    // A line that ends inside a word broke before the first character it could not take.
    if (isWordCharacter(text_.at(lineStart - 1))) {
        return true;
    }
    // A line that ended before a word read no further than the end of that word.
    for (int i = at - 1; i >= std::max(lineStart, at - kWordEndSearch); --i) {
        if (!isWordCharacter(text_.at(i))) {
            return true;
        }
    }
    return false;
}

int LineLayout::endWithoutWrap(int start) const {
    const int length = text_.length();
    if (start >= length) {
        return start;
    }
    const int limit = params_.columnLimit;
    const int tabSize = std::max(params_.tabSize, 1);
    int columns = 0;
    int lastNonWord = start - 1;
    int i = start;
    const TextStore::Spans spans = text_.spansFrom(start);
    for (int k = 0; k < spans.count; ++k) {
        const char16_t* p = spans.parts[static_cast<std::size_t>(k)].data;
        const char16_t* const end = p + spans.parts[static_cast<std::size_t>(k)].length;
        while (p != end) {
            if (end - p >= kBlock && columns + kBlock <= limit) {
                // A block without tab or CR takes one column a character.
                std::uint16_t special = 0;
                std::uint16_t nonWord = 0;
                for (int j = 0; j < kBlock; ++j) {
                    const char16_t c = p[j];
                    special |= static_cast<std::uint16_t>((c == u'\t') | (c == kCr));
                    nonWord |= static_cast<std::uint16_t>((c == u' ') | (c >= 0x100));
                }
                if (special == 0) {
                    for (int j = kBlock - 1; nonWord != 0 && j >= 0; --j) {
                        if (!isWordCharacter(p[j])) {
                            lastNonWord = i + j;
                            break;
                        }
                    }
                    columns += kBlock;
                    p += kBlock;
                    i += kBlock;
                    continue;
                }
            }
            const char16_t c = *p;
            if (c == kCr) {
                return i;
            }
            const int next = c == u'\t' ? columns + (tabSize - columns % tabSize) : columns + 1;
            if (next > limit) {
                // The word the limit cuts moves down whole unless it started the line.
                if (i > start && isWordCharacter(text_.at(i - 1)) && lastNonWord >= start) {
                    return lastNonWord + 1;
                }
                return columns == 0 ? i + 1 : i;
            }
            columns = next;
            if (!isWordCharacter(c)) {
                lastNonWord = i;
            }
            ++p;
            ++i;
        }
    }
    return length;
}

LineLayout::Change LineLayout::relayFrom(int first, int meetFrom, int delta,
                                         std::int64_t charBudget, int lineBudget) {
    Change change;
    change.linesBefore = lines_.count();
    const int length = text_.length();
    int start = static_cast<int>(lines_.start(first));
    // Old lines starting behind the edit keep their breaks once a new line starts where one
    // of them starts, moved by the edit: from there on the text and so the layout are the same.
    int following = lines_.count();
    int candidate = std::max(lines_.firstLineAtOrAfter(std::int64_t{meetFrom} - delta), first + 1);
    const bool mayStop = lines_.canMarkUnsettled();
    bool stopped = false;
    int startsPast = 0;
    produced_.clear();
    try {
        for (;;) {
            const int end = endOfLine(start);
            int next = end;
            if (end < length && text_.at(end) == kCr) {
                next = end + 1;
            } else if (end >= length) {
                break;
            }
            if (next >= meetFrom) {
                const std::int64_t old = std::int64_t{next} - delta;
                while (candidate < lines_.count() && lines_.start(candidate) < old) {
                    ++candidate;
                }
                if (candidate < lines_.count() && lines_.start(candidate) == old) {
                    following = candidate;
                    break;
                }
                ++startsPast;
                if (mayStop &&
                    (next - std::int64_t{meetFrom} >= charBudget || startsPast >= lineBudget)) {
                    produced_.push_back(static_cast<std::uint32_t>(next));
                    following = candidate;
                    stopped = true;
                    break;
                }
            }
            produced_.push_back(static_cast<std::uint32_t>(next));
            start = next;
        }
    } catch (const std::bad_alloc&) {
        throw COomEx(produced_.size() * sizeof(std::uint32_t));
    }
    lines_.replace(first + 1, following - (first + 1), produced_, delta, stopped);
    change.firstLine = first;
    change.lastLine = first + static_cast<int>(produced_.size());
    change.linesAfter = lines_.count();
    return change;
}

LineLayout::Change LineLayout::relayoutAround(int at, int editEnd, int delta) {
    // The line before may now take a word back; an edit right at a line start can even change
    // the break of the line before that, which looked at the first character here.
    const int line = lines_.lineOf(at);
    int first = line - 1;
    if (lines_.start(line) == at) {
        first = line - 2;
    } else if (line > 0 && previousLineEndsBefore(line, at)) {
        first = line;
    }
    if (!params_.wordWrap && first == line && lines_.canMarkUnsettled() &&
        endWithoutWrap(static_cast<int>(lines_.start(line))) > editEnd) {
        // The edit's line still holds the caret: counting its columns shows that without
        // measuring it. The line is left unsettled, to be measured and re-broken when painted;
        // old starts up to the edit's end go, later ones move by `delta`.
        Change change;
        change.linesBefore = lines_.count();
        const int following =
            std::max(lines_.firstLineAtOrAfter(std::int64_t{editEnd} - delta + 1), line + 1);
        produced_.clear();
        lines_.replace(line + 1, following - (line + 1), produced_, delta, true);
        change.firstLine = change.lastLine = line;
        change.linesAfter = lines_.count();
        return change;
    }
    // Without word wrap one display line may hold 32768 characters: the walk goes no further
    // than the first line start past the edit, and the lines in view follow when painted.
    const std::int64_t lookahead = params_.wordWrap ? editLookahead_ : 0;
    return relayFrom(std::max(first, 0), editEnd, delta, lookahead, kNoLineBudget);
}

LineLayout::Change LineLayout::resumeFirst(std::int64_t charBudget, int lineBudget) {
    const int first = lines_.firstUnsettled();
    const auto from = static_cast<int>(lines_.start(first));
    return relayFrom(first, from, 0, charBudget, lineBudget);
}

LineLayout::Change LineLayout::settle(std::int64_t budget) {
    Change change;
    change.firstLine = -1;
    change.linesBefore = change.linesAfter = lines_.count();
    while (hasUnsettled() && budget > 0) {
        const auto from = lines_.start(lines_.firstUnsettled());
        const Change step = resumeFirst(budget, kNoLineBudget);
        merge(change, step);
        budget -= std::max<std::int64_t>(lines_.start(step.lastLine) - from, 1);
    }
    return change;
}

LineLayout::Change LineLayout::settleThrough(std::int64_t index) {
    Change change;
    change.firstLine = -1;
    change.linesBefore = change.linesAfter = lines_.count();
    while (hasUnsettled() && lines_.start(lines_.firstUnsettled()) <= index) {
        const auto from = lines_.start(lines_.firstUnsettled());
        merge(change, resumeFirst(index - from + 1, kNoLineBudget));
    }
    return change;
}

LineLayout::Change LineLayout::settleThroughLine(int line) {
    Change change;
    change.firstLine = -1;
    change.linesBefore = change.linesAfter = lines_.count();
    while (hasUnsettled() && lines_.firstUnsettled() <= line) {
        merge(change, resumeFirst(kNoCharBudget, line + 1 - lines_.firstUnsettled()));
    }
    return change;
}

LineLayout::Change LineLayout::settleAll() {
    Change change;
    change.firstLine = -1;
    change.linesBefore = change.linesAfter = lines_.count();
    while (hasUnsettled()) {
        merge(change, resumeFirst(kNoCharBudget, kNoLineBudget));
    }
    return change;
}

LineLayout::Change LineLayout::prepareEdit(int at) {
    Change change = settleThrough(at);
    // The edit may leave one more stretch unsettled.
    while (!lines_.canMarkUnsettled()) {
        merge(change, resumeFirst(kNoCharBudget, kNoLineBudget));
    }
    return change;
}

} // namespace editctl
