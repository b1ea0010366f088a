#pragma once
// The base of the thin bars at the bottom of the main view (find, replace, jump to line). It
// is the bar's own window, fixes the order in which a bar is built (children, layout, height),
// turns Return, Escape, Tab and the arrows into operations, asks the focused input about
// commands first, has the frame show the bar's soft keys while it lives, and reports the bar's
// commands to its owner.

#include "platform/WindowObject.h"
#include "search/IBarListener.h"

#include <string>
#include <string_view>

namespace search {

class CBottomBar : public platform::WindowObject {
public:
    // The child id of every bar window and of the bars' labels.
    static constexpr int kBarId = 0xFFFF;

    CBottomBar() = default;
    // Asks the frame (after the current message) to show its main soft keys again.
    ~CBottomBar() override;

    // Creates the bar's window in parent, then its children, then lays them out; the layout's
    // answer becomes the bar height. The owner then places and focuses the bar.
    void Create(HWND parent, IBarListener* listener);
    // The height the bar asked for when it was created, in pixels.
    int BarHeight() const { return barHeight_; }

    bool preTranslateMessage(MSG& msg) override;
    // The focused input (when it is a child of the bar) first, then the bar's own table.
    bool routeCommand(UINT id, platform::CommandState* query) override;
    const platform::MessageMap& messageMap() const override;
    const platform::CommandMap& commandMap() const override;

protected:
    // Creates and fills the label and inputs, and posts the bar's soft-key menu to the frame.
    virtual void CreateChildren() = 0;
    // Places the children in the bar's client area; answers the bar height in pixels.
    virtual int OnLayout() = 0;
    // Key operations; true when the key is handled and goes no further.
    virtual bool OnEnterKey(const MSG& msg);
    virtual bool OnUpKey(const MSG& msg);
    virtual bool OnDownKey(const MSG& msg);
    virtual bool OnTabKey(const MSG& msg);
    // Gives the keyboard focus to the bar's main input.
    virtual void FocusInput() = 0;

    IBarListener* Listener() const { return listener_; }
    // Posts command id to the bar's own window, so it runs after the current key.
    void PostCommand(UINT id) const;
    // Asks the frame to show soft-key menu `menuId` while the bar lives.
    static void ShowBarMenu(int menuId);
    // The extent of text measured with the bar window's device context.
    SIZE TextExtent(std::u16string_view text) const;
    // The width of the bar's client area.
    int ClientWidth() const;

private:
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    void OnCancel();

    int barHeight_ = 0;
    bool created_ = false;
    IBarListener* listener_ = nullptr;
};

// A window's text.
std::u16string WindowText(HWND hwnd);
// Whether the keyboard focus is in `control` itself or in a window inside it (a combo box's
// edit field).
bool FocusIsIn(HWND control);

} // namespace search
