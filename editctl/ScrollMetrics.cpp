#include "editctl/ScrollMetrics.h"

#include "editctl/EditState.h"

#include <algorithm>

namespace editctl {

int visibleLineCount(const EditState& state) {
    return visibleLineCount(state.layout.clientHeight, state.layout.lineHeight);
}

int visibleLineCount(int clientHeight, int lineHeight) {
    return std::max(clientHeight, 0) / std::max(lineHeight, 1);
}

long long widthNeeded(const LayoutParams& layout) {
    return static_cast<long long>(layout.margins.left) + layout.margins.right + layout.widestLine;
}

ScrollMetrics computeScrollMetrics(const EditState& state) {
    const LayoutParams& layout = state.layout;
    const int cell = std::max(layout.cellWidth, 1);
    ScrollMetrics result;

    const long long needed = widthNeeded(layout);
    if (layout.clientWidth < needed) {
        const int total = static_cast<int>(needed / cell);
        const int page = layout.clientWidth / cell;
        result.maxHorizontalPosition = total - page + 1;
        result.horizontalPosition =
            std::min(state.horizontalPosition, result.maxHorizontalPosition);
        result.horizontal = {0, total, page, result.horizontalPosition};
    } else {
        // The bar stays shown (range 0..1) without word wrap, and is hidden with it.
        result.horizontal = {0, layout.wordWrap ? 0 : 1, 0, 0};
    }

    const int visible = visibleLineCount(state);
    const int lines = state.lines.count();
    if (visible < lines) {
        result.maxFirstLine = lines - visible;
        result.firstVisibleLine = std::min(state.firstVisibleLine, result.maxFirstLine);
        result.vertical = {0, lines - 1, visible, result.firstVisibleLine};
    } else {
        result.vertical = {0, 1, 0, 0};
    }
    return result;
}

} // namespace editctl
