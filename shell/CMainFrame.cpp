#include "shell/CMainFrame.h"

#include "platform/Device.h"
#include "platform/Gdi.h"
#include "platform/HandheldShell.h"
#include "platform/Registry.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UserMessages.h"
#include "shell/CApplication.h"
#include "shell/MenuLabels.h"

namespace shell {

namespace {

constexpr const char16_t* kFrameClass = u"KIV";
constexpr DWORD kFullScreenFlags = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
constexpr int kSoftKeys = 2;

// A handset maker's value that its devices read while a menu is open; on any other device the
// key does not exist and the switch does nothing.
constexpr const char16_t* kPhoneStatusKey = u"Software\\Sharp\\PhoneStatus";
constexpr const char16_t* kStatus22 = u"Status22";
constexpr DWORD kStatusInMenu = 7;

void writeStatus22(HKEY key, DWORD value) {
    RegSetValueEx(key, kStatus22, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                  sizeof(value));
}

void raise(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

CMainFrame::CMainFrame() {
    setView(&view_);
}

CMainFrame::~CMainFrame() {
    // The window goes while everything it reaches still exists.
    destroyWindow();
}

bool CMainFrame::LoadFrame() {
    WNDCLASS wc;
    wc.hIcon = resources::loadIcon(IDR_MAINFRAME);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kFrameClass;
    // A second registration fails when the class exists already; creating still works.
    registerClass(wc);
    setAccelerators(resources::loadAccelerators(IDR_MAINFRAME));
    const std::u16string caption(resources::loadString(IDS_APPNAME));
    return createEx(0, kFrameClass, caption.c_str(), kFrameStyle, RECT{0, 0, 480, 640}, nullptr, 0);
}

const platform::MessageMap& CMainFrame::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<WM_CREATE, &CMainFrame::OnCreate>(),
        onMessage<WM_CLOSE, &CMainFrame::OnClose>(),
        onMessage<UM_SHIFTLOCK, &CMainFrame::OnShiftLock>(),
        onMessage<UM_REBUILDMENU, &CMainFrame::OnRebuildMenu>(),
        onMessage<UM_BARMENU, &CMainFrame::OnBarMenu>(),
        onMessage<WM_SIZE, &CMainFrame::OnSizeFrame>(),
        onMessage<WM_ACTIVATE, &CMainFrame::OnActivate>(),
        onMessage<WM_ENTERMENULOOP, &CMainFrame::OnEnterMenuLoop>(),
        onMessage<WM_EXITMENULOOP, &CMainFrame::OnExitMenuLoop>(),
    };
    static const platform::MessageMap map{&FrameWindow::messageMap(), entries};
    return map;
}

const platform::CommandMap& CMainFrame::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CMainFrame::OnExit>(ID_APP_EXIT),
        onCommand<&CMainFrame::OnUnlockShift>(ID_UNLOCKSHIFT),
    };
    static const platform::CommandMap map{&FrameWindow::commandMap(), entries};
    return map;
}

LRESULT CMainFrame::OnCreate(WPARAM wParam, LPARAM lParam) {
    if (defaultProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    platform::setScreenWindow(hwnd());
    if (!view_.Create(hwnd(), kFirstPaneId))
        return -1;
    if (!mainBar_.create(hwnd(), kMenuBarId, kMenuBarStyle) ||
        !mainBar_.loadMenu(resources::loadMenu(IDR_MAINFRAME)))
        return -1;
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT bar;
    GetWindowRect(mainBar_.hwnd(), &bar);
    SetWindowPos(hwnd(), nullptr, 0, 0, desktop.right - desktop.left,
                 (desktop.bottom - desktop.top) - (bar.bottom - bar.top),
                 SWP_NOMOVE | SWP_NOZORDER);
    ApplyFullScreen();
    return 0;
}

void CMainFrame::ApplyFullScreen() {
    CApplication* app = CApplication::Current();
    if (app == nullptr || app->IniStore().readInt(u"init", u"fullsc", 0) == 0)
        return;
    SHFullScreen(hwnd(), kFullScreenFlags);
    SHACTIVATEINFO info;
    SHHandleWMSettingChange(hwnd(), static_cast<WPARAM>(-1), 0, &info);
    if (platform::platformKind() == platform::PlatformKind::Smartphone) {
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        SetWindowPos(hwnd(), nullptr, 0, 0, desktop.right - desktop.left,
                     desktop.bottom - desktop.top, SWP_NOZORDER);
    }
}

LRESULT CMainFrame::OnClose(WPARAM wParam, LPARAM lParam) {
    if (view_.QueryClose())
        defaultProc(WM_CLOSE, wParam, lParam);
    SendShiftKey(false);
    return 0;
}

LRESULT CMainFrame::OnShiftLock(WPARAM wParam, LPARAM /*lParam*/) {
    if (wParam != 0) {
        if (shiftBar_ != nullptr)
            return 0;
        shiftBar_ = std::make_unique<platform::SoftKeyMenuBar>();
        if (shiftBar_->create(hwnd(), kMenuBarId, kMenuBarStyle))
            shiftBar_->loadMenu(resources::loadMenu(IDR_SHIFTLOCK));
    } else {
        shiftBar_.reset();
    }
    recalcLayout();
    return 0;
}

LRESULT CMainFrame::OnRebuildMenu(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    RebuildMenuBar();
    return 0;
}

LRESULT CMainFrame::OnBarMenu(WPARAM wParam, LPARAM lParam) {
    barMenuBar_.reset();
    if (lParam != 0) {
        barMenuId_ = static_cast<int>(wParam);
        barMenuBar_ = std::make_unique<platform::SoftKeyMenuBar>();
        RebuildMenuBar();
    }
    return 0;
}

LRESULT CMainFrame::OnSizeFrame(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = OnSize(wParam, lParam);
    // Turning the screen changes the labels.
    RebuildMenuBar();
    return result;
}

LRESULT CMainFrame::OnActivate(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = FrameWindow::OnActivate(wParam, lParam);
    const HWND viewWindow = view_.hwnd();
    if (LOWORD(wParam) != WA_INACTIVE) {
        RebuildMenuBar();
        KillTimer(viewWindow, CMainView::kAutoSaveTimer);
    } else {
        SendShiftKey(false);
        PostMessage(hwnd(), UM_SHIFTLOCK, 0, 0);
        if (view_.AutoSave())
            SetTimer(viewWindow, CMainView::kAutoSaveTimer, CMainView::kAutoSavePeriod, nullptr);
        else
            KillTimer(viewWindow, CMainView::kAutoSaveTimer);
    }
    return result;
}

// The device status switch: only with number keys on, and only where the key exists.
template <class Step> void CMainFrame::SwitchDeviceStatus(Step step) {
    if (view_.Settings().menuTenKey == 0)
        return;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, kPhoneStatusKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    step(key, CApplication::Current()->RememberedStatus22());
    RegCloseKey(key);
}

LRESULT CMainFrame::OnEnterMenuLoop(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    SwitchDeviceStatus([](HKEY key, std::int32_t& remembered) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegQueryValueEx(key, kStatus22, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                            &size) == ERROR_SUCCESS &&
            size == sizeof(value))
            remembered = static_cast<std::int32_t>(value);
        writeStatus22(key, kStatusInMenu);
    });
    return 0;
}

LRESULT CMainFrame::OnExitMenuLoop(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    SwitchDeviceStatus([](HKEY key, std::int32_t& remembered) {
        writeStatus22(key, static_cast<DWORD>(remembered));
    });
    return 0;
}

bool CMainFrame::preTranslateMessage(MSG& msg) {
    // The hardware Back key arrives as a hot key; the shell hands it to the focus window.
    if (msg.message == WM_HOTKEY && HIWORD(msg.lParam) == VK_TBACK) {
        SHSendBackToFocusWindow(msg.message, msg.wParam, msg.lParam);
        return true;
    }
    if (msg.message == WM_KEYUP && msg.wParam == static_cast<WPARAM>(VK_SHIFT))
        PostMessage(hwnd(), UM_SHIFTLOCK, 0, 0);
    return FrameWindow::preTranslateMessage(msg);
}

bool CMainFrame::LoadMenuBar(platform::SoftKeyMenuBar& bar, int menuId) {
    bar.destroyWindow();
    if (!bar.create(hwnd(), kMenuBarId, kMenuBarStyle) ||
        !bar.loadMenu(resources::loadMenu(menuId)))
        return false;
    for (int key = 0; key < kSoftKeys; ++key) {
        HMENU popup = bar.buttonMenu(key);
        if (popup == nullptr)
            continue;
        if (&bar == &mainBar_) {
            view_.FillRecentMenu(popup);
            view_.FillInsertMenu(popup);
        }
        LabelMenuItems(popup);
    }
    return true;
}

void CMainFrame::RebuildMenuBar() {
    if (hwnd() == nullptr || GetActiveWindow() != hwnd())
        return;
    if (barMenuBar_ != nullptr)
        LoadMenuBar(*barMenuBar_, barMenuId_);
    else
        LoadMenuBar(mainBar_, IDR_MAINFRAME);
    // The shift-lock bar stays over whichever bar was rebuilt.
    if (shiftBar_ != nullptr && shiftBar_->hwnd() != nullptr)
        raise(shiftBar_->hwnd());
    recalcLayout();
}

void CMainFrame::LabelMenuItems(HMENU popup) const {
    shell::LabelMenuItems(popup,
                          MenuLabelRule{platform::platformKind(), view_.Settings().menuTenKey == 1,
                                        platform::screenIsPortrait()});
}

void CMainFrame::OnExit() {
    PostMessage(hwnd(), WM_CLOSE, 0, 0);
}

void CMainFrame::OnUnlockShift() {
    SendShiftKey(false);
    PostMessage(hwnd(), UM_SHIFTLOCK, 0, 0);
}

} // namespace shell
