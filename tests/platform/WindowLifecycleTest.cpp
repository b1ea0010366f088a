#include "WindowTestSupport.h"

#include "platform/Gdi.h"

#include <string>

using kivtest::WindowTest;

namespace {

class WindowLifecycleTest : public WindowTest {};

TEST_F(WindowLifecycleTest, CreationPassesParametersToCreateAndReportsClientSize) {
    HWND parent = makeTopLevel(300, 200);
    int param = 42;
    CREATESTRUCT seen;
    int idDuringCreate = -1;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            seen = *reinterpret_cast<const CREATESTRUCT*>(lParam);
            idDuringCreate = GetDlgCtrlID(hwnd);
        }
        return std::nullopt;
    });
    clearLog();
    HWND child = CreateWindowEx(0, u"KIVTESTWINDOW", u"caption", WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                                5, 6, 120, 80, parent, childId(1333), nullptr, &param);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(seen.lpCreateParams, &param);
    EXPECT_EQ(seen.hwndParent, parent);
    EXPECT_EQ(seen.x, 5);
    EXPECT_EQ(seen.cy, 80);
    EXPECT_EQ(static_cast<DWORD>(seen.style) & WS_VSCROLL, WS_VSCROLL);
    EXPECT_EQ(idDuringCreate, 1333);
    EXPECT_EQ(GetDlgCtrlID(child), 1333);
    EXPECT_EQ(GetParent(child), parent);
    EXPECT_EQ(GetDlgItem(parent, 1333), child);

    // NCCREATE comes first, and the default procedure keeps the caption.
    ASSERT_FALSE(log().empty());
    EXPECT_EQ(log().front().msg, WM_NCCREATE);
    char16_t text[16];
    EXPECT_EQ(GetWindowText(child, text, 16), 7);
    EXPECT_EQ(std::u16string(text), u"caption");

    // WM_SIZE carries the client size, which leaves room for the vertical bar.
    RECT client;
    ASSERT_TRUE(GetClientRect(child, &client));
    EXPECT_LT(client.right, 120);
    EXPECT_EQ(client.bottom, 80);
    const auto sizes = received(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(LOWORD(sizes.back().lParam), client.right);
    EXPECT_EQ(HIWORD(sizes.back().lParam), client.bottom);
}

TEST_F(WindowLifecycleTest, CreateFailureDestroysTheHalfMadeWindow) {
    setHandler([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE)
            return -1;
        return std::nullopt;
    });
    HWND hwnd = CreateWindowEx(0, u"kivTestWindow", u"", WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
    EXPECT_EQ(hwnd, nullptr);
    ASSERT_EQ(received(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(received(WM_DESTROY).front().hwnd));
    EXPECT_EQ(received(WM_NCDESTROY).size(), 1u);
}

TEST_F(WindowLifecycleTest, RefusesUnknownClassesAndOrphanChildren) {
    EXPECT_EQ(
        CreateWindowEx(0, u"noSuchClass", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateWindowEx(0, u"kivTestWindow", u"", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
    WNDCLASS duplicate;
    duplicate.lpfnWndProc = DefWindowProc;
    duplicate.lpszClassName = u"KivTestWindow";
    EXPECT_EQ(RegisterClass(&duplicate), 0);
}

TEST_F(WindowLifecycleTest, DestroyGoesParentFirstThenNcDestroyChildFirst) {
    HWND parent = makeTopLevel();
    HWND child = makeChild(parent, 1, 0, 0, 50, 50);
    HWND grandchild = makeChild(child, 2, 0, 0, 10, 10);
    clearLog();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const auto& r : log()) {
        if (r.msg == WM_DESTROY || r.msg == WM_NCDESTROY)
            order.emplace_back(r.hwnd, r.msg);
    }
    const std::vector<std::pair<HWND, UINT>> expected{
        {parent, WM_DESTROY},       {child, WM_DESTROY},   {grandchild, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(grandchild));
    // Messages to a dead handle go nowhere.
    clearLog();
    EXPECT_EQ(SendMessage(child, WM_USER, 0, 0), 0);
    EXPECT_FALSE(PostMessage(child, WM_USER, 0, 0));
    EXPECT_FALSE(DestroyWindow(child));
    platform::test::pumpMessages();
    EXPECT_TRUE(log().empty());
}

TEST_F(WindowLifecycleTest, DestroyingItselfInsideItsOwnHandlerIsSafe) {
    HWND hwnd = makeTopLevel();
    setHandler([](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_LBUTTONDOWN) {
            DestroyWindow(h);
            return 0;
        }
        return std::nullopt;
    });
    platform::test::mousePress(hwnd, platform::test::MouseButton::Left, 5, 5);
    platform::test::mouseRelease(hwnd, platform::test::MouseButton::Left, 5, 5);
    platform::test::pumpMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(received(WM_LBUTTONUP).empty());
}

TEST_F(WindowLifecycleTest, SlotsAndStylesReadBackAndStyleChangesApply) {
    HWND hwnd = makeTopLevel(200, 150);
    HWND child = makeChild(hwnd, 7, 0, 0, 100, 100, ES_READONLY);
    EXPECT_EQ(SetWindowLongPtr(child, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtr(child, GWLP_USERDATA), 1234);
    const auto style = static_cast<DWORD>(GetWindowLongPtr(child, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_READONLY), WS_CHILD | WS_VISIBLE | ES_READONLY);

    RECT before;
    GetClientRect(child, &before);
    SetWindowLongPtr(child, GWL_STYLE, style | WS_HSCROLL);
    RECT after;
    GetClientRect(child, &after);
    EXPECT_LT(after.bottom, before.bottom);

    SetWindowLongPtr(child, GWL_STYLE, (style | WS_HSCROLL) & ~WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_EQ(GetWindowLongPtr(child, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(SetWindowLongPtr(child, GWL_ID, 9), 7);
    EXPECT_EQ(GetDlgCtrlID(child), 9);
}

TEST_F(WindowLifecycleTest, MoveWindowSendsSizeAndMoveOnlyWhenTheyChange) {
    HWND parent = makeTopLevel(300, 300);
    HWND child = makeChild(parent, 1, 0, 0, 100, 100);
    clearLog();
    MoveWindow(child, 10, 20, 150, 60, TRUE);
    ASSERT_EQ(received(WM_SIZE).size(), 1u);
    EXPECT_EQ(received(WM_SIZE)[0].lParam, MAKELPARAM(150, 60));
    ASSERT_EQ(received(WM_MOVE).size(), 1u);
    EXPECT_EQ(received(WM_MOVE)[0].lParam, MAKELPARAM(10, 20));
    clearLog();
    MoveWindow(child, 10, 20, 150, 60, TRUE);
    EXPECT_TRUE(received(WM_SIZE).empty());
    EXPECT_TRUE(received(WM_MOVE).empty());

    POINT p{3, 4};
    ASSERT_TRUE(ClientToScreen(child, &p));
    ASSERT_TRUE(ScreenToClient(parent, &p));
    EXPECT_EQ(p, (POINT{13, 24}));
}

} // namespace

namespace {

WNDPROC savedProc = nullptr;
int subclassCalls = 0;

// A replacement procedure that answers one message and hands the rest to the old one.
LRESULT subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++subclassCalls;
    if (msg == WM_APP + 7)
        return 77;
    return CallWindowProc(savedProc, hwnd, msg, wParam, lParam);
}

class WindowRelationsTest : public WindowTest {};

TEST_F(WindowRelationsTest, ReplacedProcedureSeesMessagesFirstAndCanCallTheOldOne) {
    HWND hwnd = makeTopLevel();
    subclassCalls = 0;
    savedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
    ASSERT_NE(savedProc, nullptr);
    clearLog();
    EXPECT_EQ(SendMessage(hwnd, WM_APP + 7, 0, 0), 77);
    EXPECT_TRUE(log().empty());
    SendMessage(hwnd, WM_APP + 8, 0, 0);
    EXPECT_EQ(subclassCalls, 2);
    ASSERT_EQ(log().size(), 1u); // the old procedure got the second one
    EXPECT_EQ(log()[0].msg, WM_APP + 8);
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedProc));
}

TEST_F(WindowRelationsTest, ClassCannotGoWhileItsWindowsLiveAndSiblingsKeepCreationOrder) {
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = u"kivTestShortLived";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND parent = makeTopLevel();
    HWND first = makeChild(parent, 1, 0, 0, 10, 10, 0, u"kivTestShortLived");
    HWND second = makeChild(parent, 2, 0, 0, 10, 10);
    EXPECT_FALSE(UnregisterClass(u"kivTestShortLived", nullptr));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), nullptr);
    char16_t name[32];
    EXPECT_EQ(GetClassName(first, name, 32), 17);
    EXPECT_EQ(std::u16string(name), u"kivTestShortLived");
    DestroyWindow(first);
    EXPECT_TRUE(UnregisterClass(u"kivTestShortLived", nullptr));
}

TEST_F(WindowRelationsTest, ClientAreaCanBeDrawnOnDuringCreate) {
    COLORREF seen = 0;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CREATE) {
            HDC dc = GetDC(hwnd);
            seen = GetPixel(dc, 1, 1);
            ReleaseDC(hwnd, dc);
        }
        return std::nullopt;
    });
    makeTopLevel(40, 30);
    EXPECT_EQ(seen, RGB(255, 255, 255));
}

} // namespace

namespace {

TEST_F(WindowRelationsTest, StyleChangeIsAnnouncedAndTheProcedureMayAmendIt) {
    HWND parent = makeTopLevel();
    HWND child = makeChild(parent, 1, 0, 0, 100, 100);
    setHandler([](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew &= ~WS_HSCROLL; // refuse the bar
        return std::nullopt;
    });
    clearLog();
    const auto style = static_cast<DWORD>(GetWindowLongPtr(child, GWL_STYLE));
    SetWindowLongPtr(child, GWL_STYLE, style | WS_HSCROLL | ES_READONLY);
    ASSERT_EQ(received(WM_STYLECHANGING).size(), 1u);
    ASSERT_EQ(received(WM_STYLECHANGED).size(), 1u);
    const auto now = static_cast<DWORD>(GetWindowLongPtr(child, GWL_STYLE));
    EXPECT_EQ(now & ES_READONLY, ES_READONLY);
    EXPECT_EQ(now & WS_HSCROLL, 0u);
    EXPECT_FALSE(platform::test::scrollBarVisible(child, SB_HORZ));

    // A client edge narrows the client area on both sides.
    SetWindowLongPtr(child, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    RECT client;
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, 96);
}

} // namespace
