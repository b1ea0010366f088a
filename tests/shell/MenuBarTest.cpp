#include "shell/EditorProgram.h"

#include "platform/Dialog.h"
#include "platform/DialogTestHooks.h"
#include "platform/HandheldShell.h"
#include "platform/Registry.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowObject.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/UserMessages.h"

#include <gtest/gtest.h>

#include <array>

using kivtest::EditorProgram;
using kivtest::findItem;
using platform::test::MenuItemInfo;

namespace {

std::vector<std::u16string> texts(const std::vector<MenuItemInfo>& items) {
    std::vector<std::u16string> out;
    for (const auto& item : items)
        out.push_back((item.flags & MF_SEPARATOR) != 0 ? u"---" : item.text);
    return out;
}

bool greyed(const MenuItemInfo* item) {
    return item != nullptr && (item->flags & MF_GRAYED) != 0;
}

bool shiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

class MenuBar : public EditorProgram {
protected:
    // Makes the frame portrait (narrower than tall) or landscape.
    void turn(bool portrait) {
        SetWindowPos(frame().hwnd(), nullptr, 0, 0, portrait ? 400 : 700, portrait ? 700 : 400,
                     SWP_NOMOVE | SWP_NOZORDER);
        platform::test::pumpMessages();
    }
    HWND topBar() { return SoftKeyBarOf(editor()); }
};

} // namespace

TEST_F(MenuBar, TheFileKeyShowsTheFileMenuWithoutItsMarkers) {
    start("[init]\nfirst=1\n");
    turn(false);
    const auto file = pressSoftKey(0);
    EXPECT_EQ(file.owner, frame().hwnd());
    EXPECT_EQ(texts(file.items), (std::vector<std::u16string>{
                                     u"Open", u"New", u"Recent", u"Save As", u"Save", u"---",
                                     u"Encoding", u"Linebreak", u"Properties", u"---", u"Exit"}));
    for (const auto* name : {u"Open", u"New", u"Save As", u"Save", u"Exit"})
        EXPECT_FALSE(greyed(findItem(file, name))) << std::u16string(name).size();
    // No recent file yet: one greyed placeholder.
    const auto& recent = findItem(file, u"Recent")->submenu;
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(recent[0].text, u"(なし)");
    EXPECT_TRUE(greyed(&recent[0]));
    // An untitled document has no auto-save flag to set.
    EXPECT_TRUE(greyed(&findItem(file, u"Properties")->submenu.at(0)));

    const auto menu = pressSoftKey(1);
    EXPECT_EQ(texts(menu.items),
              (std::vector<std::u16string>{u"ShiftLock", u"---", u"Edit", u"Go To", u"Find",
                                           u"View", u"Insert", u"Tools"}));
    for (const auto& item : findItem(menu, u"Edit")->submenu)
        EXPECT_FALSE(greyed(&item)) << std::string(item.text.begin(), item.text.end());
    const auto& view = findItem(menu, u"View")->submenu;
    EXPECT_EQ(texts(view),
              (std::vector<std::u16string>{u"Font +", u"Font -", u"Word Wrap", u"Refresh"}));
    EXPECT_TRUE((view.at(2).flags & MF_CHECKED) != 0);
    const auto& tools = findItem(menu, u"Tools")->submenu;
    EXPECT_FALSE(greyed(&tools.at(0))) << "Option... opens the Settings dialog";
    EXPECT_FALSE(greyed(&findItem(menu, u"Find")->submenu.at(0))) << "Find... opens its bar";
    EXPECT_FALSE(greyed(&findItem(menu, u"Go To")->submenu.at(0))) << "Line Nr. opens its bar";
    EXPECT_FALSE(greyed(&findItem(menu, u"Go To")->submenu.at(2)));
}

TEST_F(MenuBar, PortraitWithNumberKeysNumbersEachPopupFromOne) {
    start("[init]\nfirst=1\nmenutenkey=1\n");
    turn(true);
    const auto file = pressSoftKey(0);
    const std::u16string expected[] = {u"Open",      u"New",        u"Recent",
                                       u"Save As",   u"Save",       u"Encoding",
                                       u"Linebreak", u"Properties", u"Exit"};
    std::size_t n = 0;
    for (const auto& item : file.items) {
        if ((item.flags & MF_SEPARATOR) != 0)
            continue;
        ASSERT_LT(n, std::size(expected));
        const std::u16string number(1, static_cast<char16_t>(u'1' + n));
        EXPECT_EQ(item.text, expected[n] + u"\t(&" + number + u")");
        ++n;
    }
    EXPECT_EQ(n, std::size(expected));
    EXPECT_EQ(findItem(file, u"Recent\t(&3)")->submenu.at(0).text, u"(なし)\t(&1)");
    // Turning to landscape rebuilds the bar without numbers.
    turn(false);
    EXPECT_EQ(pressSoftKey(0).items.at(0).text, u"Open");
}

TEST_F(MenuBar, TheContextMenuIsLabelledLikeTheSoftKeyMenus) {
    start("[init]\nfirst=1\nmenutenkey=1\n");
    turn(true);
    platform::test::takePopupMenuCalls();
    SendMessage(editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor()), MAKELPARAM(10, 10));
    const auto calls = platform::test::takePopupMenuCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, editor());
    EXPECT_EQ(texts(calls[0].items),
              (std::vector<std::u16string>{u"Copy\t(&1)", u"Cut\t(&2)", u"Paste\t(&3)", u"---",
                                           u"Undo\t(&4)", u"---", u"Select All\t(&5)"}));
}

TEST_F(MenuBar, ShiftLockShowsOneBarAndEveryReleaseEndsIt) {
    start("[init]\nfirst=1\n");
    // The first through its menu item; a second one (the soft keys now reach the shift bar)
    // makes no second bar.
    const auto lock = [&] {
        if (frame().ShiftBar() == nullptr)
            pressSoftKey(1, ID_SHIFTLOCK);
        PostMessage(frame().hwnd(), WM_COMMAND, ID_SHIFTLOCK, 0);
        platform::test::pumpMessages();
    };
    const auto locked = [&] {
        return frame().ShiftBar() != nullptr && frame().ShiftBar()->hwnd() == topBar() &&
               shiftHeld();
    };
    lock();
    ASSERT_TRUE(locked());
    HWND bar = frame().ShiftBar()->hwnd();
    lock();
    EXPECT_EQ(frame().ShiftBar()->hwnd(), bar);

    // The shift bar's soft key.
    pressSoftKey(0);
    EXPECT_EQ(frame().ShiftBar(), nullptr);
    EXPECT_FALSE(shiftHeld());
    EXPECT_EQ(topBar(), frame().MainMenuBar().hwnd());

    // Letting go of the real Shift key.
    lock();
    platform::test::pressKey(editor(), VK_SHIFT);
    platform::test::pumpMessages();
    EXPECT_EQ(frame().ShiftBar(), nullptr);
    EXPECT_FALSE(shiftHeld());

    // The frame losing the activation.
    lock();
    SendMessage(frame().hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    platform::test::pumpMessages();
    EXPECT_EQ(frame().ShiftBar(), nullptr);
    EXPECT_FALSE(shiftHeld());
    SendMessage(frame().hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);

    // The editor's context menu.
    lock();
    SendMessage(editor(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor()), MAKELPARAM(5, 5));
    platform::test::pumpMessages();
    EXPECT_EQ(frame().ShiftBar(), nullptr);
    EXPECT_FALSE(shiftHeld());
}

TEST_F(MenuBar, ABottomBarsMenuReplacesTheMainOneAndLeavesItUntouchedBeneath) {
    start("[init]\nfirst=1\n");
    const HWND mainBar = frame().MainMenuBar().hwnd();
    const HWND framed = frame().hwnd();
    PostMessage(framed, UM_BARMENU, 138, 1);
    platform::test::pumpMessages();
    EXPECT_EQ(topBar(), frame().BarMenuBar()->hwnd());
    // One bar replacing another: the old bar's removal is posted before the new bar's menu.
    PostMessage(framed, UM_BARMENU, 0, 0);
    PostMessage(framed, UM_BARMENU, 139, 1);
    platform::test::pumpMessages();
    ASSERT_NE(frame().BarMenuBar(), nullptr);
    const auto menu = pressSoftKey(1);
    EXPECT_EQ(texts(menu.items), (std::vector<std::u16string>{u"Find Up", u"Find Down", u"---",
                                                              u"Replace All", u"---", u"Cancel"}));
    PostMessage(framed, UM_BARMENU, 0, 0);
    platform::test::pumpMessages();
    EXPECT_EQ(frame().BarMenuBar(), nullptr);
    EXPECT_EQ(topBar(), mainBar);
}

TEST_F(MenuBar, Status22IsSavedSetAndRestoredAroundMenuLoopsOnlyWhereItExists) {
    start("[init]\nfirst=1\nmenutenkey=1\n");
    // On a desktop the maker's key does not exist: nothing appears.
    pressSoftKey(0);
    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyEx(HKEY_CURRENT_USER, u"Software\\Sharp\\PhoneStatus", 0, KEY_ALL_ACCESS, &key),
        ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Sharp\\PhoneStatus", 0, nullptr, 0,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto status = [&] {
        DWORD value = 0;
        DWORD size = sizeof(value);
        RegQueryValueEx(key, u"Status22", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        return value;
    };
    DWORD five = 5;
    RegSetValueEx(key, u"Status22", 0, REG_DWORD, reinterpret_cast<BYTE*>(&five), sizeof(five));
    SendMessage(frame().hwnd(), WM_ENTERMENULOOP, TRUE, 0);
    EXPECT_EQ(status(), 7u);
    SendMessage(frame().hwnd(), WM_EXITMENULOOP, TRUE, 0);
    EXPECT_EQ(status(), 5u);
    // A whole menu loop through a soft key ends where it began.
    pressSoftKey(1);
    EXPECT_EQ(status(), 5u);
    RegCloseKey(key);
}

TEST_F(MenuBar, WithoutNumberKeysTheStatusIsLeftAlone) {
    start("[init]\nfirst=1\n");
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_CURRENT_USER, u"Software\\Sharp\\PhoneStatus", 0, nullptr, 0,
                   KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD five = 5;
    RegSetValueEx(key, u"Status22", 0, REG_DWORD, reinterpret_cast<BYTE*>(&five), sizeof(five));
    SendMessage(frame().hwnd(), WM_ENTERMENULOOP, TRUE, 0);
    DWORD value = 0;
    DWORD size = sizeof(value);
    RegQueryValueEx(key, u"Status22", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    EXPECT_EQ(value, 5u);
    RegCloseKey(key);
}

TEST_F(MenuBar, ExitClosesTheFrameAndReleasesShift) {
    start("[init]\nfirst=1\n");
    PostMessage(frame().hwnd(), WM_COMMAND, ID_SHIFTLOCK, 0);
    platform::test::pumpMessages();
    ASSERT_TRUE(shiftHeld());
    const HWND framed = frame().hwnd();
    PostMessage(framed, WM_COMMAND, ID_APP_EXIT, 0);
    platform::test::pumpMessages();
    EXPECT_FALSE(IsWindow(framed));
    EXPECT_FALSE(shiftHeld());
}

namespace {

// A window that takes the focus and notes the hot keys it is given.
class HotKeyWindow : public platform::WindowObject {
public:
    std::vector<LPARAM> hotKeys;
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_HOTKEY)
            hotKeys.push_back(lParam);
        return WindowObject::windowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(MenuBar, TheBackKeyIsHandedToTheFocusWindowAndNotDispatchedByTheFrame) {
    start("[init]\nfirst=1\n");
    HotKeyWindow target;
    ASSERT_TRUE(target.createEx(0, u"KivView", u"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 10, 10},
                                view().hwnd(), 77));
    SetFocus(target.hwnd());
    MSG back{target.hwnd(), WM_HOTKEY, 0, MAKELPARAM(0, VK_TBACK), 0, {}};
    EXPECT_TRUE(platform::preTranslateInput(back));
    MSG other{target.hwnd(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F6), 0, {}};
    EXPECT_FALSE(platform::preTranslateInput(other));
    platform::test::pumpMessages();
    EXPECT_EQ(target.hotKeys, std::vector<LPARAM>{MAKELPARAM(0, VK_TBACK)});
}

TEST_F(MenuBar, TheFrameFillsTheDesktopAboveItsBarOrTheWholeScreenInFullScreen) {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    start("[init]\nfirst=1\n");
    RECT r;
    GetWindowRect(frame().hwnd(), &r);
    // The desktop's own frame around the window adds the same on both axes.
    const LONG decoration = (r.right - r.left) - (desktop.right - desktop.left);
    EXPECT_EQ(r.bottom - r.top, desktop.bottom - desktop.top - SoftKeyBarHeight() + decoration);
    stop();
    for (const auto kind : {platform::PlatformKind::PocketPc, platform::PlatformKind::Smartphone}) {
        platform::test::setPlatformKind(kind);
        start("[init]\nfirst=1\nfullsc=1\n");
        GetWindowRect(frame().hwnd(), &r);
        EXPECT_EQ(r.right - r.left, desktop.right - desktop.left);
        EXPECT_EQ(r.bottom - r.top, desktop.bottom - desktop.top);
        stop();
    }
}

TEST_F(MenuBar, AboutShowsTheIconAndNameOverTheFrameAndGivesTheTextBackItsFocus) {
    start("[init]\nfirst=1\n");
    platform::test::typeText(editor(), u"日本");
    std::u16string name;
    COLORREF iconEdge = 0;
    COLORREF iconCorner = 0;
    UINT softKeys = 0;
    platform::test::queueDialogAnswer(
        [&](HWND dialog) {
            std::array<char16_t, 64> text{};
            GetDlgItemText(dialog, IDC_ABOUT_NAME, text.data(), static_cast<int>(text.size()));
            name = text.data();
            HWND icon = GetDlgItem(dialog, IDC_ABOUT_ICON);
            UpdateWindow(icon);
            RECT r;
            GetClientRect(icon, &r);
            iconEdge = platform::test::clientPixel(icon, 1, r.bottom / 2);
            iconCorner = platform::test::clientPixel(icon, 0, 0);
            HWND bar = SoftKeyBarOf(GetDlgItem(dialog, IDC_ABOUT_NAME));
            softKeys = static_cast<UINT>(SendMessage(bar, SKBM_GETBUTTONCOUNT, 0, 0));
            // The pointer reaches the "OK" key although the frame beneath is disabled.
            RECT key;
            GetWindowRect(bar, &key);
            platform::test::clickAt(bar, 10, (key.bottom - key.top) / 2);
        },
        IDCANCEL);
    const auto menu = pressSoftKey(1, ID_APP_ABOUT);
    EXPECT_FALSE(greyed(&findItem(menu, u"Tools")->submenu.back()));
    const auto dialogs = platform::test::takeDialogCalls();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].owner, frame().hwnd());
    EXPECT_EQ(dialogs[0].result, IDOK);
    EXPECT_EQ(name.substr(0, 3), u"kiv");
    // The navy edge of the icon on the dialog's own background.
    EXPECT_GT(GetBValue(iconEdge), GetRValue(iconEdge) + 40);
    EXPECT_NE(iconCorner, iconEdge);
    EXPECT_EQ(softKeys, 1u);
    ASSERT_EQ(GetFocus(), editor());
    platform::test::typeText(GetFocus(), u"語");
    EXPECT_EQ(text(), u"日本語");
}
