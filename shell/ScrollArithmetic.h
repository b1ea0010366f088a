#pragma once
// The arithmetic of a scrolling dialog: how far its content can scroll, how far each scroll
// request moves it, and where to scroll so that a control comes into view. Heights and
// positions are pixels; the position is how far the content is scrolled up.

#include "platform/WinTypes.h"

#include <optional>

namespace shell {

// Content this tall in a view that tall scrolls by this much at most (0 when it fits).
int ScrollRange(int contentHeight, int viewHeight);

// How far a vertical scroll request (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN,
// SB_THUMBPOSITION, SB_THUMBTRACK with the thumb at requestedPosition) moves the content from
// position: a line is a tenth of the range, a page the view less 16 pixels, and neither goes
// past either end. Nullopt for any other request, or a line or page request at its end.
std::optional<int> ScrollAmount(int request, int requestedPosition, int position, int range,
                                int viewHeight);

// The position that brings control (client coordinates) into the client rectangle with 30
// pixels to spare, kept within 0 and maximum - page; nullopt when nothing of control is
// above or below the client rectangle.
std::optional<int> EnsureVisiblePosition(const RECT& control, const RECT& client, int position,
                                         int maximum, int page);

} // namespace shell
