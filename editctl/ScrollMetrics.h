#pragma once
// The scroll-bar ranges that follow from the layout: horizontal in character cells, vertical
// in display lines.

namespace editctl {

struct EditState;
struct LayoutParams;

struct ScrollBarRange {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
};

struct ScrollMetrics {
    ScrollBarRange horizontal;
    ScrollBarRange vertical;
    int maxHorizontalPosition = 0;
    int horizontalPosition = 0;
    int maxFirstLine = 0;
    int firstVisibleLine = 0;
};

// The ranges and the clamped positions for the current layout and client size.
ScrollMetrics computeScrollMetrics(const EditState& state);
// Display lines that fit the client height whole (at least 0).
int visibleLineCount(const EditState& state);
// Display lines that fit `clientHeight` whole with lines of `lineHeight` (at least 0).
int visibleLineCount(int clientHeight, int lineHeight);
// Pixels the widest line needs with the left and right margins; a client narrower than this
// scrolls horizontally.
long long widthNeeded(const LayoutParams& layout);

} // namespace editctl
