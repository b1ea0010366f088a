#include "editctl/ReplaceMatches.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ScrollMetrics.h"
#include "editctl/Scrolling.h"
#include "editctl/TextGeometry.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

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

// Where scrolling to a caret on display line `line`, `offset` pixels into it, puts the view,
// without moving the window's contents: the window is repainted once at the end.
void moveViewTo(EditState& state, int line, std::int64_t offset) {
    const ViewPosition target = viewPositionShowing(state, line, offset, false);
    state.firstVisibleLine = std::clamp(target.firstLine, 0, std::max(state.maxFirstLine, 0));
    state.horizontalPosition =
        std::clamp(target.horizontal, 0, std::max(state.maxHorizontalPosition, 0));
}

// The display line holding `index`, searched forward from `known`, a line that starts at or
// before it: the steps move forward through the text, so this costs the lines passed over.
int lineFrom(const LineTable& lines, int known, int index) {
    const int last = lines.count() - 1;
    int lo = std::clamp(known, 0, last);
    if (lines.start(lo) > index) {
        return lines.lineOf(index);
    }
    std::int64_t step = 1;
    while (step <= last - lo && lines.start(lo + static_cast<int>(step)) <= index) {
        lo += static_cast<int>(step);
        step *= 2;
    }
    int hi = static_cast<int>(std::min<std::int64_t>(lo + step - 1, last));
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (lines.start(mid) <= index) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

// The room the steps will need, had at once while the text store's gap is still at its end:
// growing it in the middle of the run would carry the rest of the text along. Without the
// memory the steps simply take what they need as they go.
void reserveAhead(EditState& state, std::span<const NEditMatch> matches, int replacementLength) {
    long long grown = 0;
    long long peak = 0;
    for (const NEditMatch& match : matches) {
        peak = std::max(peak, grown + replacementLength);
        grown += replacementLength - (match.end - match.start);
    }
    const long long records = 2 * static_cast<long long>(matches.size());
    try {
        if (peak <= TextStore::kMaxLength) {
            state.text.reserve(static_cast<int>(peak));
        }
        if (records < TextStore::kMaxLength) {
            state.undo.reserve(static_cast<int>(records));
        }
    } catch (const COomEx&) {
    }
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

// Shows whatever the steps did, on every way out (a step may run out of memory).
class ShowOnExit {
public:
    explicit ShowOnExit(EditState& state) : state_(state) {}
    ~ShowOnExit() {
        if (changed) {
            notifyParent(state_, EN_UPDATE);
        }
        updateScrollBars(state_);
        invalidateAll(state_);
        refreshCaret(state_);
        if (changed) {
            notifyParent(state_, EN_CHANGE);
        }
    }
    ShowOnExit(const ShowOnExit&) = delete;
    ShowOnExit& operator=(const ShowOnExit&) = delete;

    bool changed = false;

private:
    EditState& state_;
};

} // namespace

LRESULT onReplaceMatches(EditState& state, const NEditReplaceMatches* request) {
    // A text limit may cut an insertion short, and the caller's list assumes it is not.
    if (request == nullptr || state.textLimit > 0) {
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
    reserveAhead(state, matches, replacementLength);
    BarUpdates bars(state);
    ShowOnExit show(state);
    int shift = 0; // how far the replacements so far have moved the rest of the text
    int known = 0; // a display line starting at or before every index still to come
    for (const NEditMatch& match : matches) {
        const int at = match.start + shift;
        const int end = match.end + shift;
        // Selecting the match (EM_SETSEL) and bringing it into view (EM_SCROLLCARET).
        commitPending(state, true);
        state.anchor = at;
        state.caret = end;
        state.rememberedColumn = 0;
        const int lineAt = lineFrom(state.lines, known, at);
        const auto lineStart = static_cast<int>(state.lines.start(lineAt));
        const std::int64_t atOffset = offsetAfter(state, 0, lineStart, at);
        const int endLine = lineFrom(state.lines, lineAt, end);
        moveViewTo(state, endLine,
                   endLine == lineAt
                       ? offsetAfter(state, atOffset, at, end)
                       : offsetAfter(state, 0, static_cast<int>(state.lines.start(endLine)), end));
        known = lineAt;
        // Replacing the selection (EM_REPLACESEL); reading the text afterwards commits it,
        // which the next step's selection does as well. The edits move forward through the
        // text, so the text store's gap travels it once.
        const EditResult edit = insertText(state, replacement, false);
        if (edit.changed) {
            show.changed = true;
            bars.afterEdit();
            // The lines up to the first one re-broken kept their starts, and the text before
            // the match is unchanged: on the same line start the caret's offset goes on from
            // the match's.
            const int caretLine = lineFrom(state.lines, edit.lines.firstLine, state.caret);
            const auto caretLineStart = static_cast<int>(state.lines.start(caretLine));
            moveViewTo(state, caretLine,
                       caretLineStart == lineStart
                           ? offsetAfter(state, atOffset, at, state.caret)
                           : offsetAfter(state, 0, caretLineStart, state.caret));
            known = caretLine;
        }
        shift += replacementLength - (match.end - match.start);
    }
    commitPending(state, true);
    return request->count;
}

} // namespace editctl
