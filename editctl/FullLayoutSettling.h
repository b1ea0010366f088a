#pragma once
// Settling before messages that end in a full layout, which re-breaks every line and drops
// every unsettled mark: settling first is wasted work unless it leaves something behind that
// the full layout keeps. Each rule settles nothing only when its handler lays everything out
// and settling provably leaves nothing behind; otherwise it settles everything first.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// NEM_REFORMAT: nothing when it lays the text out.
void settleUnlessReformatting(EditState& state, WPARAM noRepaint, LPARAM lParam);
// WM_SIZE: nothing when it reformats (word wrap on, or no layout yet) at the old size and the
// new one alike.
void settleUnlessSizeReformats(EditState& state, WPARAM type, LPARAM size);
// NEM_SETWORDWRAP: nothing when it reformats; the top line it keeps is one settling keeps.
void settleUnlessWrapReformats(EditState& state, WPARAM wrap, LPARAM lParam);

} // namespace editctl
