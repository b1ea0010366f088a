#include "WindowTestSupport.h"

using kivtest::WindowTest;
using platform::test::scrollBarAction;

namespace {

class ScrollBarTest : public WindowTest {
protected:
    // A child with a vertical bar whose procedure follows every scroll code it gets.
    HWND makeScroller() {
        HWND parent = makeTopLevel(300, 300);
        setHandler([this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_VSCROLL)
                return std::nullopt;
            codes.push_back(LOWORD(wParam));
            SCROLLINFO si;
            si.fMask = SIF_ALL;
            GetScrollInfo(hwnd, SB_VERT, &si);
            int pos = si.nPos;
            switch (LOWORD(wParam)) {
            case SB_LINEDOWN:
                pos += 1;
                break;
            case SB_PAGEDOWN:
                pos += static_cast<int>(si.nPage);
                break;
            case SB_THUMBTRACK:
                EXPECT_EQ(si.nTrackPos, static_cast<std::int16_t>(HIWORD(wParam)));
                pos = si.nTrackPos;
                break;
            case SB_THUMBPOSITION:
                pos = HIWORD(wParam);
                break;
            case SB_BOTTOM:
                pos = si.nMax;
                break;
            default:
                break;
            }
            si.fMask = SIF_POS;
            si.nPos = pos;
            SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
            return 0;
        });
        HWND child = makeChild(parent, 1, 0, 0, 200, 200, WS_VSCROLL);
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = 99;
        si.nPage = 10;
        si.nPos = 0;
        SetScrollInfo(child, SB_VERT, &si, TRUE);
        return child;
    }
    int pos(HWND hwnd) const { return GetScrollPos(hwnd, SB_VERT); }
    std::vector<WORD> codes;
};

TEST_F(ScrollBarTest, PositionIsClampedToTheLastFullPage) {
    HWND hwnd = makeScroller();
    SCROLLINFO si;
    si.fMask = SIF_POS;
    si.nPos = 500;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), 90);
    si.nPos = -3;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, TRUE), 0);
}

TEST_F(ScrollBarTest, UserActionsArriveAsScrollCodesAndTheBarFollowsTheProcedure) {
    HWND hwnd = makeScroller();
    scrollBarAction(hwnd, SB_VERT, SB_LINEDOWN);
    EXPECT_EQ(pos(hwnd), 1);
    scrollBarAction(hwnd, SB_VERT, SB_PAGEDOWN);
    EXPECT_EQ(pos(hwnd), 11);
    scrollBarAction(hwnd, SB_VERT, SB_BOTTOM);
    EXPECT_EQ(pos(hwnd), 90);
    scrollBarAction(hwnd, SB_VERT, SB_THUMBTRACK, 40);
    EXPECT_EQ(pos(hwnd), 40);
    const std::vector<WORD> expected{SB_LINEDOWN,   SB_PAGEDOWN,      SB_BOTTOM,
                                     SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL};
    EXPECT_EQ(codes, expected);

    // A procedure that ignores a code leaves the bar where it was.
    codes.clear();
    scrollBarAction(hwnd, SB_VERT, SB_LINEUP);
    EXPECT_EQ(codes, std::vector<WORD>{SB_LINEUP});
    EXPECT_EQ(pos(hwnd), 40);
}

TEST_F(ScrollBarTest, BarWithNothingToScrollHidesOrDisablesAndTheClientFollows) {
    HWND hwnd = makeScroller();
    EXPECT_TRUE(platform::test::scrollBarVisible(hwnd, SB_VERT));
    RECT withBar;
    GetClientRect(hwnd, &withBar);
    clearLog();
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = 9;
    si.nPage = 10;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    EXPECT_FALSE(platform::test::scrollBarVisible(hwnd, SB_VERT));
    RECT without;
    GetClientRect(hwnd, &without);
    EXPECT_EQ(without.right, 200);
    EXPECT_GT(without.right, withBar.right);
    ASSERT_EQ(received(WM_SIZE).size(), 1u);
    EXPECT_EQ(LOWORD(received(WM_SIZE)[0].lParam), 200);

    si.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
    EXPECT_TRUE(platform::test::scrollBarVisible(hwnd, SB_VERT));
    EXPECT_FALSE(platform::test::scrollBarEnabled(hwnd, SB_VERT));

    ShowScrollBar(hwnd, SB_VERT, FALSE);
    EXPECT_FALSE(platform::test::scrollBarVisible(hwnd, SB_VERT));
}

TEST_F(ScrollBarTest, WindowThatTogglesItsBarOnEverySizeDoesNotRecurseForever) {
    HWND parent = makeTopLevel(300, 300);
    int sizes = 0;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_SIZE) {
            ++sizes;
            ShowScrollBar(hwnd, SB_VERT, !platform::test::scrollBarVisible(hwnd, SB_VERT));
        }
        return std::nullopt;
    });
    HWND child = makeChild(parent, 1, 0, 0, 100, 100);
    EXPECT_TRUE(IsWindow(child));
    EXPECT_LT(sizes, 20);
}

} // namespace
