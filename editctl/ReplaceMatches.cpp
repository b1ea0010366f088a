#include "editctl/ReplaceMatches.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ScrollMetrics.h"
#include "editctl/Scrolling.h"

#include <algorithm>
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

// Where scrolling to the caret puts the view, without moving the window's contents: the
// window is repainted once at the end.
void moveViewToCaret(EditState& state) {
    const ViewPosition target = caretInViewPosition(state, false);
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
    BarUpdates bars(state);
    ShowOnExit show(state);
    int shift = 0; // how far the replacements so far have moved the rest of the text
    for (const NEditMatch& match : matches) {
        const int at = match.start + shift;
        // Selecting the match (EM_SETSEL) and bringing it into view (EM_SCROLLCARET).
        commitPending(state, true);
        state.anchor = at;
        state.caret = match.end + shift;
        state.rememberedColumn = 0;
        moveViewToCaret(state);
        // Replacing the selection (EM_REPLACESEL); reading the text afterwards commits it,
        // which the next step's selection does as well. The edits move forward through the
        // text, so the text store's gap travels it once.
        if (insertText(state, replacement, false).changed) {
            show.changed = true;
            bars.afterEdit();
            moveViewToCaret(state);
        }
        shift += replacementLength - (match.end - match.start);
    }
    commitPending(state, true);
    return request->count;
}

} // namespace editctl
