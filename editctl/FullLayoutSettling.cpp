#include "editctl/FullLayoutSettling.h"

#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/LayoutSettling.h"
#include "editctl/ScrollMetrics.h"

namespace editctl {

namespace {

// True when settling every line now could leave nothing that a full layout right after does
// not set afresh, with the client `clientHeight` high. A full layout re-breaks every line,
// measures the widest one anew and sets the scroll bars; what it keeps is the line-number
// gutter's width (it only grows) and the view's first line and column, which settling may pull
// back to fit a shorter layout. Settling keeps every line through the first unsettled one, so:
// no line numbers, the view at the left edge, and the view (a line more, at any lower height a
// horizontal bar could leave) ending above the first unsettled line. Then the vertical bar
// stays needed; the horizontal one takes only height, which no layout depends on, and any
// resize it causes is repainted, laid out and placed again in full. What settling would
// repaint lies below the view.
bool settlingLeavesNoTrace(const EditState& state, int clientHeight) {
    if (state.layout.lineNumbers || state.horizontalPosition != 0) {
        return false;
    }
    const long long viewEnd = static_cast<long long>(state.firstVisibleLine) +
                              visibleLineCount(clientHeight, state.layout.lineHeight);
    return viewEnd < state.lines.firstUnsettled();
}

} // namespace

void settleUnlessReformatting(EditState& state, WPARAM /*noRepaint*/, LPARAM /*lParam*/) {
    if (reformatLaysOut(state) && settlingLeavesNoTrace(state, state.layout.clientHeight)) {
        return;
    }
    settleEverything(state);
}

void settleUnlessSizeReformats(EditState& state, WPARAM type, LPARAM size) {
    // The handler sends NEM_REFORMAT once it has taken the new size, which then skips settling
    // by the same test at the new height.
    const int newHeight = HIWORD(static_cast<std::uintptr_t>(size));
    if (sizeReformats(state, type) && reformatLaysOut(state) &&
        settlingLeavesNoTrace(state, state.layout.clientHeight) &&
        settlingLeavesNoTrace(state, newHeight)) {
        return;
    }
    settleEverything(state);
}

void settleUnlessWrapReformats(EditState& state, WPARAM /*wrap*/, LPARAM /*lParam*/) {
    // The handler reads the start of the first visible line, and sets the scroll bars from the
    // line count before it sends NEM_REFORMAT; the view lying above every unsettled line makes
    // both the same with or without settling.
    if (reformatLaysOut(state) && settlingLeavesNoTrace(state, state.layout.clientHeight)) {
        return;
    }
    settleEverything(state);
}

} // namespace editctl
