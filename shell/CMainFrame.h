#pragma once
// The program's top-level window. It hosts the main view, keeps the soft-key menu bars (the
// main one always, the shift-lock bar and a bottom bar's menu bar while they are needed),
// labels their menus, switches the device status around menu loops, and closes the program.

#include "platform/FrameWindow.h"
#include "platform/SoftKeyBar.h"
#include "shell/CMainView.h"

#include <memory>

namespace shell {

class CMainFrame : public platform::FrameWindow {
public:
    static constexpr int kMenuBarId = 0xE800;
    static constexpr DWORD kMenuBarStyle = 0x50002800;
    static constexpr DWORD kFrameStyle = 0x00CF8000;

    CMainFrame();
    ~CMainFrame() override;

    // Registers the frame's class and creates the window from resource 128 (caption,
    // accelerators, main menu bar). False when creation fails.
    bool LoadFrame();

    // Recreates the visible menu bar from its resource and labels its popups; only while the
    // frame is the active window.
    void RebuildMenuBar();
    // Labels a popup for the current device, orientation and number-key setting.
    void LabelMenuItems(HMENU popup) const;

    CMainView& View() { return view_; }
    platform::SoftKeyMenuBar& MainMenuBar() { return mainBar_; }
    // The shift-lock bar and the bottom bar's menu bar, or null when absent.
    platform::SoftKeyMenuBar* ShiftBar() const { return shiftBar_.get(); }
    platform::SoftKeyMenuBar* BarMenuBar() const { return barMenuBar_.get(); }

    bool preTranslateMessage(MSG& msg) override;
    const platform::MessageMap& messageMap() const override;
    const platform::CommandMap& commandMap() const override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnShiftLock(WPARAM wParam, LPARAM lParam);
    LRESULT OnRebuildMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeFrame(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterMenuLoop(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);

    void OnExit();
    void OnUnlockShift();

    // Creates bar's window and loads menu resource id into it; the popups of its keys are
    // then labelled (and, for the main bar, filled). False when either step fails.
    bool LoadMenuBar(platform::SoftKeyMenuBar& bar, int menuId);
    void ApplyFullScreen();
    // Runs step(key, remembered value) on the device's status key when the switch applies.
    template <class Step> void SwitchDeviceStatus(Step step);

    platform::SoftKeyMenuBar mainBar_;
    CMainView view_;
    std::unique_ptr<platform::SoftKeyMenuBar> shiftBar_;
    std::unique_ptr<platform::SoftKeyMenuBar> barMenuBar_;
    int barMenuId_ = 0;
};

} // namespace shell
