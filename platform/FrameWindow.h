#pragma once
// The framework's frame: a top-level window holding one view above its soft-key bars. It
// gives the focus to the view, routes commands to the view first, then to its own table and
// then to the application object, translates its accelerators before any window inside it
// sees a key, and ends the message loop when it is the main window and goes away.

#include "platform/Accelerator.h"
#include "platform/WindowObject.h"

namespace platform {

class FrameWindow : public WindowObject {
public:
    // The child id of the frame's view.
    static constexpr int kFirstPaneId = 0xE900;

    FrameWindow() = default;
    ~FrameWindow() override;

    // The object that gets the focus and commands first (not owned); null for none.
    void setView(WindowObject* view) { view_ = view; }
    WindowObject* view() const { return view_; }
    // Takes over an accelerator table (freeing any previous one).
    void setAccelerators(HACCEL table);
    HACCEL accelerators() const { return accelerators_; }
    // Places the soft-key bars along the bottom of the client area at full width and the view
    // in the rest.
    void recalcLayout();

    bool preTranslateMessage(MSG& msg) override;
    bool routeCommand(UINT id, CommandState* query) override;
    const MessageMap& messageMap() const override;

protected:
    // WM_SIZE: recalcLayout.
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    // WM_SETFOCUS: the focus goes on to the view.
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    // WM_ACTIVATE: becoming active gives the frame the focus unless a window inside it has it.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    // WM_DESTROY: the main window's end ends the message loop.
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

private:
    WindowObject* view_ = nullptr;
    HACCEL accelerators_ = nullptr;
};

} // namespace platform
