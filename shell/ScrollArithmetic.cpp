#include "shell/ScrollArithmetic.h"

#include "platform/Messages.h"

#include <algorithm>

namespace shell {

namespace {

constexpr int kMargin = 30;
constexpr int kPageOverlap = 16;

} // namespace

int ScrollRange(int contentHeight, int viewHeight) {
    return viewHeight < contentHeight ? contentHeight - viewHeight : 0;
}

std::optional<int> ScrollAmount(int request, int requestedPosition, int position, int range,
                                int viewHeight) {
    const int line = range / 10;
    const int page = viewHeight - kPageOverlap;
    switch (request) {
    case SB_LINEUP:
        if (position > 0)
            return -std::min(line, position);
        break;
    case SB_LINEDOWN:
        if (position < range)
            return std::min(line, range - position);
        break;
    case SB_PAGEUP:
        if (position > 0)
            return -std::min(page, position);
        break;
    case SB_PAGEDOWN:
        if (position < range)
            return std::min(page, range - position);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return requestedPosition - position;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<int> EnsureVisiblePosition(const RECT& control, const RECT& client, int position,
                                         int maximum, int page) {
    // Only the height counts: scrolling up or down cannot help a control cut off at the side.
    if (control.top >= client.top && control.bottom <= client.bottom)
        return std::nullopt;
    int target = 0;
    if (control.bottom > client.bottom)
        target = position + control.bottom - (client.bottom - client.top) + kMargin;
    if (control.top < client.top)
        target = position + control.top - kMargin;
    target = std::min(target, maximum - page);
    return std::max(target, 0);
}

} // namespace shell
