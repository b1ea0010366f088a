#pragma once
// How the control's state reaches its window: notifications to the parent, repainting of
// display lines, scroll bars, the off-screen line strip and the wait cursor. Every function
// does nothing for a state without a window.

#include "editctl/EditOperations.h"
#include "platform/Window.h"

namespace editctl {

struct EditState;

// Sends WM_COMMAND with the control id and `code` to the parent window.
void notifyParent(const EditState& state, UINT code);
// Repaints display lines first..last where they are in view.
void invalidateLines(const EditState& state, int first, int last);
// Repaints the whole client area.
void invalidateAll(const EditState& state);
// Repaints what an edit changed: everything when lines went away, only the re-broken lines
// when no line break changed and the line count stayed, else from the edit down.
void invalidateAfterEdit(const EditState& state, const EditResult& result);
// Sets both scroll bars from the layout and clamps the scroll positions.
void updateScrollBars(EditState& state);
// Rebuilds the one-line off-screen strip and the margin region for the current size.
void rebuildOffscreenLine(EditState& state);
// Frees the strip and the margin region.
void releaseOffscreenLine(EditState& state);

// Shows the wait cursor while it lives.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace editctl
