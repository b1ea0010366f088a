#include "editctl/ReplaceMatches.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ScrollMetrics.h"
#include "editctl/Scrolling.h"

#include <algorithm>
#include <climits>
#include <span>
#include <string_view>
#include <vector>

namespace editctl {

namespace {

bool wellFormed(const NEditReplaceMatches& request, int textLength) {
    if (request.count < 0 || request.length < 0 ||
        (request.count > 0 && request.matches == nullptr) ||
        (request.length > 0 && request.text == nullptr)) {
        return false;
    }
    int previousEnd = 0;
    for (const NEditMatch& match :
         std::span(request.matches, static_cast<std::size_t>(request.count))) {
        if (match.start < previousEnd || match.end < match.start || match.end > textLength) {
            return false;
        }
        previousEnd = match.end;
    }
    return true;
}

// What the steps will need, had before the text changes, so that running out of memory
// leaves everything as it was.
struct Preparation {
    std::vector<Block<char16_t>> deletedTexts; // one per non-empty match, in order
    Block<char16_t> side;                      // room for the gathered edit
};

Preparation prepare(EditState& state, std::span<const NEditMatch> matches, int replacementLength) {
    const char16_t* original = state.text.baseText();
    long long length = state.text.length();
    long long longest = length;
    long long records = 0;
    long long removed = 0;
    std::size_t nonEmpty = 0;
    for (const NEditMatch& match : matches) {
        const int matched = match.end - match.start;
        length += replacementLength - matched;
        longest = std::max(longest, length);
        records += (matched > 0 ? 1 : 0) + (replacementLength > 0 ? 1 : 0);
        removed += matched;
        nonEmpty += matched > 0 ? 1 : 0;
    }
    const long long gathered = (matches.back().end - matches.front().start) - removed +
                               static_cast<long long>(matches.size()) * replacementLength;
    if (longest > TextStore::kMaxLength || records > INT_MAX) {
        throw COomEx(static_cast<std::size_t>(longest) * sizeof(char16_t));
    }
    Preparation ready;
    state.undo.reserve(static_cast<int>(records));
    ready.deletedTexts.reserve(nonEmpty);
    for (const NEditMatch& match : matches) {
        if (match.end > match.start) {
            ready.deletedTexts.push_back(state.undo.copyText(std::span<const char16_t>(
                original + match.start, static_cast<std::size_t>(match.end - match.start))));
        }
    }
    ready.side = state.text.reserveSide(static_cast<std::size_t>(gathered), false);
    state.text.reserveBase(static_cast<int>(longest));
    return ready;
}

// Appends an undo record the way committing the edit would.
void record(EditState& state, UndoKind kind, int index, int length, Block<char16_t> text) {
    if (state.savedPoint > state.undo.position()) {
        state.savedPoint = -1; // the redo records it stood on go now
    }
    state.undo.push(kind, index, length, std::move(text));
}

void moveViewTo(EditState& state, ViewPosition target) {
    state.firstVisibleLine = std::clamp(target.firstLine, 0, std::max(state.maxFirstLine, 0));
    state.horizontalPosition =
        std::clamp(target.horizontal, 0, std::max(state.maxHorizontalPosition, 0));
}

bool sameRange(const ScrollBarRange& a, const ScrollBarRange& b) {
    return a.min == b.min && a.max == b.max && a.page == b.page;
}

// The scroll-bar update after each edit. The bars themselves are set only when their ranges
// change, since only then can one appear or go and resize the window; otherwise the clamped
// positions are all the steps need.
class BarUpdates {
public:
    explicit BarUpdates(EditState& state) : state_(state), last_(computeScrollMetrics(state)) {}

    void afterEdit() {
        const ScrollMetrics metrics = computeScrollMetrics(state_);
        if (!sameRange(metrics.horizontal, last_.horizontal) ||
            !sameRange(metrics.vertical, last_.vertical)) {
            updateScrollBars(state_);
            last_ = computeScrollMetrics(state_);
            return;
        }
        state_.horizontalPosition = metrics.horizontalPosition;
        state_.maxHorizontalPosition = metrics.maxHorizontalPosition;
        state_.firstVisibleLine = metrics.firstVisibleLine;
        state_.maxFirstLine = metrics.maxFirstLine;
    }

private:
    EditState& state_;
    ScrollMetrics last_;
};

// Merges the gathered edit into the text, without undo records (they are pushed step by
// step), on every way out. The base array was reserved, so this cannot fail.
class MergeOnExit {
public:
    explicit MergeOnExit(EditState& state) : state_(state) {}
    ~MergeOnExit() {
        try {
            state_.text.commit(nullptr);
        } catch (...) {
            // Not reached: the base array holds the longest text of every step.
        }
        state_.lines.applyShift();
        invalidateAll(state_);
    }
    MergeOnExit(const MergeOnExit&) = delete;
    MergeOnExit& operator=(const MergeOnExit&) = delete;

private:
    EditState& state_;
};

// Appends `chars` to the gathered edit, which ends at logical index `at`, in place of
// `replaced` characters of the text.
void gather(EditState& state, std::u16string_view chars, int at, int replaced,
            Block<char16_t>& side) {
    state.text.append(chars, at, replaced, CaseMode::Keep, &side);
}

// Lays the lines around an edit out again (see LineLayout::relayoutAround); when that fails,
// the text goes back to `before` and the failure goes on.
void relayout(EditState& state, const TextStore::Pending& before, int at, int editEnd, int delta) {
    try {
        state.layouter.relayoutAround(at, editEnd, delta);
    } catch (...) {
        state.text.restorePending(before);
        throw;
    }
}

} // namespace

LRESULT onReplaceMatches(EditState& state, const NEditReplaceMatches* request) {
    if (request == nullptr || state.caseMode() != CaseMode::Keep || state.textLimit > 0) {
        return -1;
    }
    commitPending(state, true);
    if (!wellFormed(*request, state.text.length())) {
        return -1;
    }
    const std::span<const NEditMatch> matches(request->matches,
                                              static_cast<std::size_t>(request->count));
    if (matches.empty()) {
        return 0;
    }
    const std::u16string_view replacement(request->text, static_cast<std::size_t>(request->length));
    const int replacementLength = request->length;
    Preparation ready = prepare(state, matches, replacementLength);

    // The text stays where it is while the steps run: the edits gather in one pending insertion
    // from the first match on, which takes the original characters it passes over along.
    const char16_t* original = state.text.baseText();
    BarUpdates bars(state);
    bool changed = false;
    {
        const MergeOnExit merge(state);
        int carried = matches.front().start; // original characters up to here are gathered
        int shift = 0;                       // where the original text now lies, relative
        std::size_t nextDeleted = 0;
        for (const NEditMatch& match : matches) {
            const int matched = match.end - match.start;
            const int at = match.start + shift;
            // Selecting the match and bringing it into view.
            state.anchor = at;
            state.caret = at + matched;
            state.rememberedColumn = 0;
            moveViewTo(state, caretInViewPosition(state, false));
            if (matched == 0 && replacementLength == 0) {
                continue; // replacing nothing by nothing changes nothing
            }
            const std::u16string_view between(original + carried,
                                              static_cast<std::size_t>(match.start - carried));
            const int gatherEnd = at - static_cast<int>(between.size());
            const TextStore::Pending before = state.text.pending();
            // The selection goes first ...
            gather(state, between, gatherEnd, static_cast<int>(between.size()) + matched,
                   ready.side);
            carried = match.end;
            if (matched > 0) {
                relayout(state, before, at, at, -matched);
                state.caret = state.anchor = at;
                markModified(state);
                record(state, UndoKind::Deletion, at, matched,
                       std::move(ready.deletedTexts[nextDeleted++]));
            }
            // ... then the replacement takes its place. Both are laid out as they happen: the
            // lines an incremental layout leaves may depend on the steps it took.
            if (replacementLength > 0) {
                const TextStore::Pending afterDeletion = state.text.pending();
                gather(state, replacement, at, 0, ready.side);
                relayout(state, afterDeletion, at, at + replacementLength, replacementLength);
                state.caret = state.anchor = at + replacementLength;
                markModified(state);
                record(state, UndoKind::Insertion, at, replacementLength, {});
            }
            changed = true;
            shift += replacementLength - matched;
            bars.afterEdit();
            moveViewTo(state, caretInViewPosition(state, false));
        }
    }
    if (changed) {
        notifyParent(state, EN_UPDATE);
    }
    updateScrollBars(state);
    refreshCaret(state);
    if (changed) {
        notifyParent(state, EN_CHANGE);
    }
    return request->count;
}

} // namespace editctl
