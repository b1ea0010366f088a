#include "WindowTestSupport.h"

using kivtest::WindowTest;
using platform::test::MouseButton;

namespace {

class InputTest : public WindowTest {
protected:
    std::vector<WPARAM> keyDowns() const {
        std::vector<WPARAM> keys;
        for (const auto& r : received(WM_KEYDOWN))
            keys.push_back(r.wParam);
        return keys;
    }
    std::u16string chars() const {
        std::u16string s;
        for (const auto& r : received(WM_CHAR))
            s.push_back(static_cast<char16_t>(r.wParam));
        return s;
    }
};

TEST_F(InputTest, ShiftArrowAndControlLetterArriveWithVirtualKeysAndKeyState) {
    HWND hwnd = makeTopLevel();
    SetFocus(hwnd);
    clearLog();
    platform::test::pressKey(hwnd, VK_RIGHT, platform::test::Shift);
    ASSERT_EQ(received(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(received(WM_KEYDOWN)[0].wParam, static_cast<WPARAM>(VK_RIGHT));
    EXPECT_TRUE(received(WM_KEYDOWN)[0].shiftHeld);
    EXPECT_FALSE(received(WM_KEYDOWN)[0].controlHeld);
    EXPECT_TRUE(received(WM_CHAR).empty());
    ASSERT_EQ(received(WM_KEYUP).size(), 1u);
    // The release has the transition and previous-state bits.
    EXPECT_EQ(static_cast<std::uint32_t>(received(WM_KEYUP)[0].lParam) & 0xC0000000u, 0xC0000000u);

    clearLog();
    platform::test::pressKey(hwnd, 'C', platform::test::Control);
    ASSERT_EQ(keyDowns(), std::vector<WPARAM>{'C'});
    EXPECT_TRUE(received(WM_KEYDOWN)[0].controlHeld);
    EXPECT_FALSE(received(WM_KEYDOWN)[0].shiftHeld);
    EXPECT_EQ(chars(), std::u16string(1, u'\x03'));
    EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "the modifier is let go with the key";
    clearLog();
    platform::test::pressKey(hwnd, 'D');
    EXPECT_FALSE(received(WM_KEYDOWN)[0].controlHeld);
    EXPECT_EQ(chars(), u"d");

    clearLog();
    platform::test::pressKey(hwnd, VK_DELETE);
    EXPECT_EQ(keyDowns(), std::vector<WPARAM>{VK_DELETE});
    EXPECT_TRUE(chars().empty()); // Delete types nothing
}

TEST_F(InputTest, TypedTextArrivesAsOneCharacterPerUtf16Unit) {
    HWND hwnd = makeTopLevel();
    SetFocus(hwnd);
    clearLog();
    // Japanese and a character outside the BMP: no virtual key, only characters.
    const std::u16string text = u"日本\U0001F600";
    platform::test::typeText(hwnd, text);
    EXPECT_TRUE(received(WM_KEYDOWN).empty());
    EXPECT_EQ(chars(), text);

    clearLog();
    platform::test::pressKey(hwnd, 'A', platform::test::Shift);
    platform::test::pressKey(hwnd, 'B');
    platform::test::pressKey(hwnd, VK_RETURN);
    EXPECT_EQ(chars(), u"Ab\r");
    EXPECT_EQ(keyDowns(), (std::vector<WPARAM>{'A', 'B', VK_RETURN}));
}

TEST_F(InputTest, InjectedShiftIsHeldUntilReleasedAndInjectedKeysReachTheFocus) {
    HWND hwnd = makeTopLevel();
    SetFocus(hwnd);
    keybd_event(VK_SHIFT, 0, 0, 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    clearLog();
    keybd_event(VK_NEXT, 0, 0, 0);
    keybd_event(VK_NEXT, 0, KEYEVENTF_KEYUP, 0);
    platform::test::pressKey(hwnd, VK_DOWN); // typed without Shift, the injected one counts
    platform::test::pumpMessages();
    ASSERT_EQ(keyDowns(), (std::vector<WPARAM>{VK_DOWN, VK_NEXT}));
    EXPECT_TRUE(received(WM_KEYDOWN)[0].shiftHeld);
    EXPECT_TRUE(received(WM_KEYDOWN)[1].shiftHeld);
    EXPECT_EQ(received(WM_KEYUP).size(), 2u);

    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    clearLog();
    platform::test::pressKey(hwnd, VK_DOWN);
    ASSERT_EQ(received(WM_KEYDOWN).size(), 1u);
    EXPECT_FALSE(received(WM_KEYDOWN)[0].shiftHeld);
}

TEST_F(InputTest, TabGoesToTheWindowOnlyWhenItAsksForIt) {
    HWND parent = makeTopLevel();
    HWND child = makeChild(parent, 1, 0, 0, 50, 50);
    SetFocus(child);
    clearLog();
    platform::test::pressKey(child, VK_TAB);
    EXPECT_TRUE(keyDowns().empty());
    EXPECT_FALSE(received(WM_GETDLGCODE).empty());

    setHandler([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS;
        return std::nullopt;
    });
    clearLog();
    platform::test::pressKey(child, VK_TAB);
    EXPECT_EQ(keyDowns(), std::vector<WPARAM>{VK_TAB});
    EXPECT_EQ(chars(), u"\t");
}

TEST_F(InputTest, ClickReportsClientCoordinatesInsideBorderAndScrollBars) {
    HWND parent = makeTopLevel(300, 300);
    HWND child = CreateWindowEx(WS_EX_CLIENTEDGE, u"kivTestWindow", u"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 20, 30,
                                200, 150, parent, childId(5), nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    platform::test::pumpMessages();
    clearLog();
    // Outer coordinates (13, 14) lie 3 pixels inside the border: client (10, 11).
    platform::test::clickAt(child, 13, 14);
    ASSERT_EQ(received(WM_LBUTTONDOWN).size(), 1u);
    const auto down = received(WM_LBUTTONDOWN)[0];
    EXPECT_EQ(down.hwnd, child);
    EXPECT_EQ(GET_X_LPARAM(down.lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(down.lParam), 11);
    EXPECT_EQ(down.wParam & MK_LBUTTON, MK_LBUTTON);
    ASSERT_EQ(received(WM_LBUTTONUP).size(), 1u);
    EXPECT_EQ(received(WM_LBUTTONUP)[0].wParam & MK_LBUTTON, 0u);

    // A click on the vertical bar is the bar's, not the client's.
    clearLog();
    platform::test::clickAt(child, 200 - 5, 40);
    EXPECT_TRUE(received(WM_LBUTTONDOWN).empty());
}

TEST_F(InputTest, MouseMessagesCarryKeyFlagsAndFollowTheCapture) {
    HWND parent = makeTopLevel(300, 300);
    HWND a = makeChild(parent, 1, 0, 0, 100, 100);
    HWND b = makeChild(parent, 2, 150, 0, 100, 100);
    clearLog();
    platform::test::mousePress(a, MouseButton::Right, 4, 5, platform::test::Shift);
    ASSERT_EQ(received(WM_RBUTTONDOWN).size(), 1u);
    EXPECT_EQ(received(WM_RBUTTONDOWN)[0].wParam, MK_RBUTTON | MK_SHIFT);
    platform::test::mouseRelease(a, MouseButton::Right, 4, 5);

    SetCapture(a);
    clearLog();
    platform::test::mouseMove(b, 10, 10, true, platform::test::Control);
    ASSERT_EQ(received(WM_MOUSEMOVE).size(), 1u);
    const auto move = received(WM_MOUSEMOVE)[0];
    EXPECT_EQ(move.hwnd, a);
    EXPECT_EQ(GET_X_LPARAM(move.lParam), 160); // in a's client coordinates
    EXPECT_EQ(move.wParam, MK_LBUTTON | MK_CONTROL);
    clearLog();
    SetCapture(b);
    ASSERT_EQ(received(WM_CAPTURECHANGED).size(), 1u);
    EXPECT_EQ(received(WM_CAPTURECHANGED)[0].hwnd, a);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, DoubleClicksOnlyForClassesThatAskAndWheelDeltaIsSigned) {
    HWND plain = makeTopLevel();
    HWND dbl = makeTopLevel(200, 150, 0, u"kivTestDbl");
    clearLog();
    platform::test::mouseDoubleClick(plain, MouseButton::Left, 1, 1);
    platform::test::mouseDoubleClick(dbl, MouseButton::Left, 1, 1);
    ASSERT_EQ(received(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(received(WM_LBUTTONDOWN)[0].hwnd, plain);
    ASSERT_EQ(received(WM_LBUTTONDBLCLK).size(), 1u);
    EXPECT_EQ(received(WM_LBUTTONDBLCLK)[0].hwnd, dbl);

    clearLog();
    platform::test::mouseWheel(dbl, 5, 5, -120);
    ASSERT_EQ(received(WM_MOUSEWHEEL).size(), 1u);
    EXPECT_EQ(static_cast<std::int16_t>(HIWORD(received(WM_MOUSEWHEEL)[0].wParam)), -120);
}

TEST_F(InputTest, FocusChangesTellBothWindows) {
    HWND parent = makeTopLevel();
    HWND a = makeChild(parent, 1, 0, 0, 50, 50);
    HWND b = makeChild(parent, 2, 60, 0, 50, 50);
    SetFocus(a);
    clearLog();
    EXPECT_EQ(SetFocus(b), a);
    // The input method's context follows the focus too.
    ASSERT_EQ(log().size(), 4u);
    EXPECT_EQ(log()[0].msg, WM_KILLFOCUS);
    EXPECT_EQ(log()[0].hwnd, a);
    EXPECT_EQ(log()[0].wParam, reinterpret_cast<WPARAM>(b));
    EXPECT_EQ(log()[1].msg, WM_IME_SETCONTEXT);
    EXPECT_EQ(log()[1].hwnd, a);
    EXPECT_EQ(log()[1].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(log()[2].msg, WM_IME_SETCONTEXT);
    EXPECT_EQ(log()[2].hwnd, b);
    EXPECT_EQ(log()[2].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(log()[2].lParam, ISC_SHOWUIALL);
    EXPECT_EQ(log()[3].msg, WM_SETFOCUS);
    EXPECT_EQ(log()[3].hwnd, b);
    EXPECT_EQ(log()[3].wParam, reinterpret_cast<WPARAM>(a));
    EXPECT_EQ(GetFocus(), b);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, CaretNeedsAsManyShowsAsHidesAndDiesWithItsWindow) {
    HWND hwnd = makeTopLevel();
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 2, 16));
    EXPECT_FALSE(platform::test::caretState().shown);
    ShowCaret(hwnd);
    SetCaretPos(10, 20);
    auto caret = platform::test::caretState();
    EXPECT_TRUE(caret.shown);
    EXPECT_EQ(caret.rect, (RECT{10, 20, 12, 36}));
    HideCaret(hwnd);
    HideCaret(hwnd);
    ShowCaret(hwnd);
    EXPECT_FALSE(platform::test::caretState().shown);
    ShowCaret(hwnd);
    EXPECT_TRUE(platform::test::caretState().shown);
    DestroyWindow(hwnd);
    EXPECT_EQ(platform::test::caretState().owner, nullptr);
    EXPECT_FALSE(SetCaretPos(1, 1));
}

} // namespace

namespace {

class KeyTranslationTest : public InputTest {};

TEST_F(KeyTranslationTest, KeysKeepTheirVirtualCodesThroughTheToolkit) {
    HWND hwnd = makeTopLevel();
    SetFocus(hwnd);
    const std::vector<int> keys{VK_OEM_2, VK_OEM_PERIOD, VK_OEM_MINUS, VK_F2,     VK_PRIOR,
                                VK_NEXT,  VK_HOME,       VK_END,       VK_INSERT, VK_ESCAPE,
                                VK_BACK,  '7',           'Z',          VK_SPACE};
    clearLog();
    for (int vk : keys)
        platform::test::pressKey(hwnd, vk);
    std::vector<WPARAM> expected(keys.begin(), keys.end());
    EXPECT_EQ(keyDowns(), expected);
    EXPECT_EQ(chars(), u"\x1b\b7z ");
}

TEST_F(KeyTranslationTest, AltMakesSystemKeysAndAsciiTextWithoutKeyCodeStillNamesItsKey) {
    HWND hwnd = makeTopLevel();
    SetFocus(hwnd);
    clearLog();
    platform::test::pressKey(hwnd, 'F', platform::test::Alt);
    ASSERT_EQ(received(WM_SYSKEYDOWN).size(), 1u);
    EXPECT_EQ(received(WM_SYSKEYDOWN)[0].wParam, static_cast<WPARAM>('F'));
    EXPECT_TRUE(received(WM_KEYDOWN).empty());
    EXPECT_EQ(received(WM_SYSCHAR).size(), 1u);

    clearLog();
    platform::test::typeText(hwnd, u"q");
    EXPECT_EQ(keyDowns(), std::vector<WPARAM>{'Q'});
    EXPECT_EQ(chars(), u"q");
}

} // namespace
