// Lines, rectangles, pixels and block copies.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace gditest;

// The colours along row y from x0 to x1 (exclusive), as '#' (black) and '.' (white).
std::string row(const Canvas& canvas, int y, int x0, int x1) {
    std::string pixels;
    for (int x = x0; x < x1; ++x)
        pixels += canvas.at(x, y) == kBlack ? '#' : canvas.at(x, y) == kWhite ? '.' : '?';
    return pixels;
}

TEST(GdiDraw, LinesStopBeforeTheirEndAndPensDash) {
    Canvas canvas(40, 20);
    HDC dc = canvas.dc();
    MoveToEx(dc, 2, 1, nullptr);
    LineTo(dc, 10, 1);
    EXPECT_EQ(row(canvas, 1, 0, 12), "..########..");
    POINT at;
    MoveToEx(dc, 0, 0, &at);
    EXPECT_EQ(at, (POINT{10, 1}));

    HPEN dash = CreatePen(PS_DASH, 1, kBlack);
    HPEN old = SelectObject(dc, dash);
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, 0, 3, nullptr);
    LineTo(dc, 20, 3);
    EXPECT_EQ(row(canvas, 3, 0, 21), "###...###...###...##.");

    // The pattern runs on across the segments of one polyline.
    const POINT points[] = {{0, 5}, {4, 5}, {10, 5}};
    Polyline(dc, points, 3);
    EXPECT_EQ(row(canvas, 5, 0, 11), "###...###..");

    // In opaque mode the gaps take the background colour.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kRed);
    MoveToEx(dc, 0, 7, nullptr);
    LineTo(dc, 8, 7);
    EXPECT_EQ(row(canvas, 7, 0, 9), "###???##.");
    EXPECT_EQ(canvas.at(3, 7), kRed);

    HPEN dot = CreatePen(PS_DOT, 1, kBlack);
    SelectObject(dc, dot);
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, 0, 9, nullptr);
    LineTo(dc, 0, 15);
    std::string column;
    for (int y = 9; y < 16; ++y)
        column += canvas.at(0, y) == kBlack ? '#' : '.';
    EXPECT_EQ(column, "#.#.#..");

    SelectObject(dc, GetStockPen(NULL_PEN));
    MoveToEx(dc, 30, 0, nullptr);
    LineTo(dc, 30, 19);
    EXPECT_EQ(canvas.count(kWhite, 30, 0, 31, 20), 20);

    SelectObject(dc, old);
    DeleteObject(dash);
    DeleteObject(dot);
}

TEST(GdiDraw, DiagonalLinesFollowTheArrowShape) {
    Canvas canvas(20, 20);
    HDC dc = canvas.dc();
    MoveToEx(dc, 10, 10, nullptr);
    LineTo(dc, 6, 6);
    EXPECT_EQ(canvas.at(10, 10), kBlack);
    EXPECT_EQ(canvas.at(7, 7), kBlack);
    EXPECT_EQ(canvas.at(6, 6), kWhite);
    EXPECT_EQ(canvas.count(kBlack, 0, 0, 20, 20), 4);
}

TEST(GdiDraw, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Canvas canvas(20, 20);
    HDC dc = canvas.dc();
    HBRUSH blue = CreateSolidBrush(kBlue);
    HBRUSH old = SelectObject(dc, blue);
    EXPECT_TRUE(Rectangle(dc, 2, 3, 8, 9));
    EXPECT_EQ(row(canvas, 3, 0, 10), "..######..");
    EXPECT_EQ(row(canvas, 8, 0, 10), "..######..");
    EXPECT_EQ(row(canvas, 5, 0, 10), "..#????#..");
    EXPECT_EQ(canvas.count(kBlue, 3, 4, 7, 8), 16);
    EXPECT_EQ(row(canvas, 9, 0, 10), "..........");

    SelectObject(dc, GetStockBrush(NULL_BRUSH));
    Rectangle(dc, 10, 10, 14, 14);
    EXPECT_EQ(row(canvas, 11, 9, 15), ".#..#.");
    SelectObject(dc, old);
    DeleteObject(blue);

    RECT frame{15, 15, 19, 19};
    FrameRect(dc, &frame, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(canvas.count(kBlack, 15, 15, 19, 19), 12);
    InvertRect(dc, &frame);
    EXPECT_EQ(canvas.count(kBlack, 15, 15, 19, 19), 4);
}

TEST(GdiDraw, FillRectExcludesTheRightAndBottomEdges) {
    Canvas canvas(10, 10);
    RECT rect{2, 2, 5, 4};
    FillRect(canvas.dc(), &rect, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(canvas.ink(), rect);
    RECT insideOut{8, 8, 6, 9};
    FillRect(canvas.dc(), &insideOut, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(canvas.ink(), rect);
    EXPECT_EQ(FillRect(canvas.dc(), &rect, nullptr), 0);
}

TEST(GdiDraw, PixelsAndTheViewportOrigin) {
    Canvas canvas(10, 10);
    HDC dc = canvas.dc();
    EXPECT_EQ(SetPixel(dc, 3, 4, kRed), kRed);
    EXPECT_EQ(GetPixel(dc, 3, 4), kRed);
    EXPECT_EQ(SetPixel(dc, 10, 4, kRed), CLR_INVALID);
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);

    POINT old;
    SetViewportOrgEx(dc, 5, 5, &old);
    EXPECT_EQ(old, (POINT{0, 0}));
    RECT rect{0, 0, 2, 2};
    FillRect(dc, &rect, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(GetPixel(dc, 0, 0), kBlack);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(canvas.count(kBlack, 0, 0, 10, 10), 4);
    EXPECT_EQ(GetPixel(dc, 5, 5), kBlack);

    // A fresh memory context has nothing to draw into, but measuring works.
    HDC bare = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetPixel(bare, 0, 0, kRed), CLR_INVALID);
    EXPECT_TRUE(FillRect(bare, &rect, GetStockBrush(BLACK_BRUSH)));
    DeleteDC(bare);
}

TEST(GdiDraw, MemoryBitmapBlitsToTheRightOffset) {
    // The edit control's way: compose a strip off-screen, copy it into the window.
    QImage window(50, 40, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    HDC windowDc = platform::gdi::createImageDC(&window, QRegion());
    HDC strip = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, 20, 10);
    HBITMAP old = SelectObject(strip, bitmap);
    RECT all{0, 0, 20, 10};
    FillRect(strip, &all, GetStockBrush(WHITE_BRUSH));
    SetPixel(strip, 0, 0, kRed);
    SetPixel(strip, 19, 9, kBlue);
    EXPECT_TRUE(BitBlt(windowDc, 12, 7, 20, 10, strip, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(windowDc, 12, 7), kRed);
    EXPECT_EQ(GetPixel(windowDc, 31, 16), kBlue);
    EXPECT_EQ(GetPixel(windowDc, 11, 7), kWhite);
    EXPECT_EQ(GetPixel(windowDc, 32, 16), kWhite);

    // A source block running past the bitmap copies only what exists.
    EXPECT_TRUE(BitBlt(windowDc, 0, 30, 20, 10, strip, 15, 5, SRCCOPY));
    EXPECT_EQ(GetPixel(windowDc, 4, 34), kBlue);
    EXPECT_EQ(GetPixel(windowDc, 5, 34), kWhite);
    EXPECT_EQ(GetPixel(windowDc, 4, 35), kWhite);

    EXPECT_TRUE(BitBlt(windowDc, 0, 0, 5, 5, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(GetPixel(windowDc, 4, 4), kBlack);
    EXPECT_FALSE(BitBlt(windowDc, 0, 0, 5, 5, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(windowDc, 0, 0, -1, 5, strip, 0, 0, SRCCOPY));

    SelectObject(strip, old);
    DeleteObject(bitmap);
    DeleteDC(strip);
    platform::gdi::releaseImageDC(windowDc);
    EXPECT_EQ(window.pixel(12, 7), qRgb(255, 0, 0));
}

TEST(GdiDraw, OverlappingCopyWithinOneImageReadsThePixelsAsTheyWere) {
    Canvas canvas(10, 1);
    HDC dc = canvas.dc();
    for (int x = 0; x < 5; ++x)
        SetPixel(dc, x, 0, RGB(x * 10, 0, 0));
    EXPECT_TRUE(BitBlt(dc, 2, 0, 5, 1, dc, 0, 0, SRCCOPY));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(GetPixel(dc, x + 2, 0), RGB(x * 10, 0, 0)) << x;

    // Raster operations that mix the source with the destination.
    Canvas mixed(2, 1);
    SetPixel(mixed.dc(), 0, 0, RGB(0xF0, 0x0F, 0xFF));
    SetPixel(dc, 0, 0, RGB(0xFF, 0xFF, 0x00));
    EXPECT_TRUE(BitBlt(mixed.dc(), 0, 0, 1, 1, dc, 0, 0, SRCINVERT));
    EXPECT_EQ(mixed.at(0, 0), RGB(0x0F, 0xF0, 0xFF));
    EXPECT_TRUE(BitBlt(mixed.dc(), 0, 0, 1, 1, dc, 0, 0, SRCAND));
    EXPECT_EQ(mixed.at(0, 0), RGB(0x0F, 0xF0, 0x00));
    EXPECT_TRUE(BitBlt(mixed.dc(), 0, 0, 1, 1, dc, 0, 0, DSTINVERT));
    EXPECT_EQ(mixed.at(0, 0), RGB(0xF0, 0x0F, 0xFF));
}

} // namespace
