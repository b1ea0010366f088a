#include "WindowTestSupport.h"

#include "platform/Gdi.h"

#include <cstdio>
#include <fstream>

using kivtest::WindowTest;
using platform::test::clientPixel;
using platform::test::pumpMessages;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

class PaintTest : public WindowTest {
protected:
    // Every WM_PAINT fills its update rectangle with fill and records the rectangle.
    void paintWith(COLORREF* fill) {
        setHandler([this, fill](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            painted.push_back(ps.rcPaint);
            HBRUSH brush = CreateSolidBrush(*fill);
            RECT all;
            GetClientRect(hwnd, &all);
            FillRect(dc, &all, brush); // the context clips to the update region
            DeleteObject(brush);
            EndPaint(hwnd, &ps);
            return 0;
        });
    }
    std::vector<RECT> painted;
};

TEST_F(PaintTest, UpdateRectangleIsWhatWasInvalidatedAndDrawingIsClippedToIt) {
    COLORREF fill = kRed;
    paintWith(&fill);
    HWND hwnd = makeTopLevel(100, 80);
    pumpMessages();
    EXPECT_EQ(clientPixel(hwnd, 50, 40), kRed);
    painted.clear();

    fill = kBlue;
    const RECT r{10, 20, 30, 25};
    InvalidateRect(hwnd, &r, FALSE);
    EXPECT_TRUE(painted.empty()); // nothing paints until the queue runs
    UpdateWindow(hwnd);
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], r);
    EXPECT_EQ(clientPixel(hwnd, 10, 20), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 29, 24), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 30, 24), kRed);
    EXPECT_EQ(clientPixel(hwnd, 10, 25), kRed);

    // Validated: UpdateWindow and the queue paint nothing more.
    UpdateWindow(hwnd);
    pumpMessages();
    EXPECT_EQ(painted.size(), 1u);
}

TEST_F(PaintTest, InvalidationsMergeIntoOnePaint) {
    COLORREF fill = kRed;
    paintWith(&fill);
    HWND hwnd = makeTopLevel(100, 80);
    pumpMessages();
    painted.clear();
    const RECT a{0, 0, 10, 10};
    const RECT b{50, 50, 60, 60};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, FALSE);
    pumpMessages();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], (RECT{0, 0, 60, 60}));
}

TEST_F(PaintTest, EraseUsesTheClassBrushAndFErase) {
    WNDCLASS wc;
    wc.lpfnWndProc = DefWindowProc;
    wc.hbrBackground = CreateSolidBrush(kGreen);
    wc.lpszClassName = u"kivTestBrush";
    ASSERT_NE(RegisterClass(&wc), 0);
    HWND hwnd = CreateWindowEx(0, u"kivTestBrush", u"", WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                               nullptr, nullptr);
    pumpMessages();
    EXPECT_EQ(clientPixel(hwnd, 20, 20), kGreen);
    DestroyWindow(hwnd);
    pumpMessages();
    EXPECT_TRUE(UnregisterClass(u"kivTestBrush", nullptr));
    DeleteObject(wc.hbrBackground);
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndInvalidatesOnlyTheUncoveredBand) {
    COLORREF fill = kRed;
    paintWith(&fill);
    HWND hwnd = makeTopLevel(100, 80);
    pumpMessages();
    // A marker row at y = 30.
    HDC dc = GetDC(hwnd);
    HBRUSH blue = CreateSolidBrush(kBlue);
    const RECT marker{0, 30, 100, 32};
    FillRect(dc, &marker, blue);
    DeleteObject(blue);
    ReleaseDC(hwnd, dc);
    painted.clear();

    RECT band{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind =
        ScrollWindowEx(hwnd, 0, -10, nullptr, nullptr, region, &band, SW_INVALIDATE | SW_ERASE);
    EXPECT_EQ(kind, SIMPLEREGION);
    EXPECT_EQ(band, (RECT{0, 70, 100, 80}));
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
    EXPECT_EQ(box, band);
    DeleteObject(region);
    EXPECT_EQ(clientPixel(hwnd, 50, 20), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 50, 21), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 50, 30), kRed);

    fill = kGreen;
    pumpMessages();
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], band);
    EXPECT_EQ(clientPixel(hwnd, 50, 69), kRed);
    EXPECT_EQ(clientPixel(hwnd, 50, 70), kGreen);
}

TEST_F(PaintTest, PendingUpdateMovesWithScrolledPixels) {
    COLORREF fill = kRed;
    paintWith(&fill);
    HWND hwnd = makeTopLevel(100, 80);
    pumpMessages();
    painted.clear();
    const RECT r{0, 40, 100, 45};
    InvalidateRect(hwnd, &r, FALSE);
    ScrollWindowEx(hwnd, 0, 10, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    pumpMessages();
    ASSERT_EQ(painted.size(), 1u);
    // The band at the top and the moved stripe at 50..55.
    EXPECT_EQ(painted[0], (RECT{0, 0, 100, 55}));
}

TEST_F(PaintTest, WindowRegionClipsPainting) {
    COLORREF fill = kRed;
    paintWith(&fill);
    HWND hwnd = makeTopLevel(100, 80);
    pumpMessages();
    fill = kBlue;
    SetWindowRgn(hwnd, CreateRectRgn(0, 0, 50, 80), TRUE);
    pumpMessages();
    EXPECT_EQ(clientPixel(hwnd, 49, 10), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 50, 10), kRed);
    SetWindowRgn(hwnd, nullptr, TRUE);
    pumpMessages();
    EXPECT_EQ(clientPixel(hwnd, 50, 10), kBlue);
}

TEST_F(PaintTest, HiddenWindowPaintsWhenShownAndGrabWritesAPng) {
    COLORREF fill = kBlue;
    paintWith(&fill);
    HWND hwnd = CreateWindowEx(0, u"kivTestWindow", u"", 0, 0, 0, 30, 30, nullptr, nullptr, nullptr,
                               nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    pumpMessages();
    EXPECT_TRUE(painted.empty());
    ShowWindow(hwnd, SW_SHOW);
    pumpMessages();
    EXPECT_EQ(painted.size(), 1u);
    EXPECT_EQ(clientPixel(hwnd, 15, 15), kBlue);
    EXPECT_EQ(clientPixel(hwnd, 30, 15), ~0u);

    const std::string path = testing::TempDir() + "kiv_grab.png";
    ASSERT_TRUE(platform::test::grabToPng(hwnd, path));
    std::ifstream file(path, std::ios::binary);
    char magic[4] = {};
    file.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    std::remove(path.c_str());
    DestroyWindow(hwnd);
}

} // namespace

namespace {

TEST_F(PaintTest, CaretIsDrawnInvertedOverThePaintedPixelsOnlyWhileShown) {
    COLORREF fill = RGB(255, 255, 255);
    paintWith(&fill);
    HWND hwnd = makeTopLevel(60, 40);
    pumpMessages();
    using platform::test::screenPixel;
    ASSERT_TRUE(CreateCaret(hwnd, nullptr, 2, 16));
    SetCaretPos(10, 5);
    EXPECT_EQ(screenPixel(hwnd, 10, 5), RGB(255, 255, 255)); // created hidden
    ShowCaret(hwnd);
    EXPECT_EQ(screenPixel(hwnd, 10, 5), RGB(0, 0, 0));
    EXPECT_EQ(screenPixel(hwnd, 11, 20), RGB(0, 0, 0));
    EXPECT_EQ(screenPixel(hwnd, 12, 5), RGB(255, 255, 255));
    EXPECT_EQ(screenPixel(hwnd, 10, 21), RGB(255, 255, 255));
    EXPECT_EQ(clientPixel(hwnd, 10, 5), RGB(255, 255, 255)); // the painting itself is intact
    HideCaret(hwnd);
    EXPECT_EQ(screenPixel(hwnd, 10, 5), RGB(255, 255, 255));
    DestroyCaret();
}

} // namespace
