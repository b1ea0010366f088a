#pragma once
// Where text lies on screen: the character under a client point and the client position of a
// character, with tabs expanded by the layout's tab rule and the horizontal scroll applied.

#include <cstdint>

namespace editctl {

struct EditState;

// The index the caret goes to for a tap at client point (x, y): before the character whose
// left half holds the point, after it for the right half; never past a line's CR, and before
// the last character of a soft-wrapped line.
int hitTest(EditState& state, int x, int y);
// The client x of the caret standing before `index`.
int caretX(EditState& state, int index);
// The pixels from a display line's start to the caret after characters [from, to) of the
// text, when the caret before `from` stands `offset` pixels from that start.
std::int64_t offsetAfter(EditState& state, std::int64_t offset, int from, int to);
// The client x of a caret standing `offset` pixels from the start of its display line.
int caretXAtOffset(const EditState& state, std::int64_t offset);
// The client y of the top of the display line holding `index` (negative above the view).
int caretY(const EditState& state, int index);
// The client x where display-line text starts: the left margin less the horizontal scroll.
int textOriginX(const EditState& state);

} // namespace editctl
