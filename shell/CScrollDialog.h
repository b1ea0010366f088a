#pragma once
// A modal dialog that may be taller than the screen: on a Pocket PC it scrolls its controls
// with a vertical bar, the pen and the keys, and scrolls a control into view whenever it
// receives the focus. Each settings dialog derives from it and carries its own soft-key bar.

#include "platform/ModalDialog.h"
#include "platform/SoftKeyBar.h"

namespace shell {

class CScrollDialog : public platform::ModalDialog {
public:
    static constexpr int kMenuBarId = 0xE800;
    static constexpr DWORD kMenuBarStyle = 0x50002800;

    explicit CScrollDialog(const platform::DialogTemplate& dialog);

    // How far the content is scrolled up, how tall it is and how tall the visible part is,
    // in pixels (0 where the dialog does not scroll).
    int ScrollPosition() const { return scrollPosition_; }
    int ContentHeight() const { return contentHeight_; }
    int ViewHeight() const { return viewHeight_; }
    // The dialog's own soft-key bar (OK, Cancel).
    const platform::SoftKeyMenuBar& MenuBar() const { return menuBar_; }

    bool preTranslateMessage(MSG& msg) override;
    const platform::MessageMap& messageMap() const override;

protected:
    // The framework's initialisation; then, on a Pocket PC, full screen when the settings ask
    // for it, focus reporting by every control and the content height.
    int onInitDialog() override;
    // Creates the soft-key bar from menu 134 (OK, Cancel); false when it cannot be made.
    bool CreateMenuBar();

private:
    LRESULT OnEnsureVisible(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnPenDown(WPARAM wParam, LPARAM lParam);

    // Sets the bar for a view cy pixels tall, back at the top.
    void ResetScrollBar(int cy);
    // Moves the content up by delta pixels and the thumb with it.
    void ScrollBy(int delta);

    platform::SoftKeyMenuBar menuBar_;
    bool scrolls_ = false; // only on a Pocket PC
    int viewHeight_ = 0;
    int scrollPosition_ = 0;
    int contentHeight_ = 0;
};

} // namespace shell
