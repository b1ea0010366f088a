// Selecting, describing and freeing drawing objects.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gditest;

TEST(GdiObject, SelectingReturnsThePreviousObjectOfTheSameKind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_DASH, 1, kRed);
    HBRUSH brush = CreateSolidBrush(kBlue);
    HFONT font = makeFont(u"KivTestFont", -16);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);

    HPEN firstPen = SelectObject(dc, pen);
    HBRUSH firstBrush = SelectObject(dc, brush);
    HFONT firstFont = SelectObject(dc, font);
    HBITMAP firstBitmap = SelectObject(dc, bitmap);
    EXPECT_EQ(firstPen, GetStockPen(BLACK_PEN));
    EXPECT_EQ(firstBrush, GetStockBrush(WHITE_BRUSH));
    EXPECT_NE(firstFont, nullptr);
    EXPECT_NE(firstBitmap, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);

    // Through the generic handle the right kind is still swapped.
    HGDIOBJ generic = pen;
    EXPECT_EQ(SelectObject(dc, generic), pen);
    EXPECT_EQ(SelectObject(dc, static_cast<HGDIOBJ>(firstPen)), pen);
    EXPECT_EQ(SelectObject(dc, firstBrush), brush);
    EXPECT_EQ(SelectObject(dc, firstFont), font);
    EXPECT_EQ(SelectObject(dc, firstBitmap), bitmap);

    EXPECT_EQ(SelectObject(nullptr, pen), nullptr);
    EXPECT_EQ(SelectObject(dc, static_cast<HPEN>(nullptr)), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), firstPen);

    for (HGDIOBJ object : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush),
                           static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(bitmap)})
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObject, ASelectedObjectOutlivesItsDeletionUntilDeselected) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = makeFont(u"KivTestFont", -16);
    HFONT old = SelectObject(dc, font);
    EXPECT_FALSE(DeleteObject(font));
    // Still usable: the context measures with it.
    SIZE size;
    GetTextExtentPoint32W(dc, u"ab", 2, &size);
    EXPECT_EQ(size.cx, 16);
    SelectObject(dc, old); // frees it now (the sanitizer catches a double free)

    HBRUSH brush = CreateSolidBrush(kRed);
    SelectObject(dc, brush);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_TRUE(DeleteDC(dc)); // freeing the context frees the pending brush
}

TEST(GdiObject, ABitmapLivesInOneMemoryContextAtATime) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(first, 10, 10);
    HBITMAP original = SelectObject(first, bitmap);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), original);
    SelectObject(first, original);
    EXPECT_NE(SelectObject(second, bitmap), nullptr);
    DeleteDC(second);
    DeleteDC(first);
    EXPECT_TRUE(DeleteObject(bitmap));

    // A window's context cannot hold bitmaps.
    QImage image(5, 5, QImage::Format_RGB32);
    HDC window = platform::gdi::createImageDC(&image, QRegion());
    HBITMAP other = CreateCompatibleBitmap(window, 5, 5);
    EXPECT_EQ(SelectObject(window, other), nullptr);
    platform::gdi::releaseImageDC(window);
    DeleteObject(other);
}

TEST(GdiObject, DescriptionsAndStockObjects) {
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 30, 7);
    BITMAP description;
    ASSERT_EQ(GetObjectW(bitmap, sizeof description, &description),
              static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(description.bmWidth, 30);
    EXPECT_EQ(description.bmHeight, 7);
    EXPECT_EQ(description.bmBitsPixel, 32);
    DeleteObject(bitmap);

    HPEN pen = CreatePen(PS_DOT, 0, kBlue);
    LOGPEN logPen;
    ASSERT_EQ(GetObjectW(pen, sizeof logPen, &logPen), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(logPen.lopnWidth.x, 1);
    EXPECT_EQ(logPen.lopnColor, kBlue);
    DeleteObject(pen);
    EXPECT_EQ(CreatePen(42, 1, kBlue), nullptr);

    LOGBRUSH logBrush;
    GetObjectW(GetSysColorBrush(COLOR_HIGHLIGHT), sizeof logBrush, &logBrush);
    EXPECT_EQ(logBrush.lbColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(DeleteObject(GetSysColorBrush(COLOR_HIGHLIGHT)));
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
    EXPECT_EQ(GetObjectType(GetStockObject(NULL_PEN)), OBJ_PEN);
    EXPECT_EQ(GetObjectType(nullptr), 0U);

    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 100000, 100000), nullptr);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteDC(nullptr));
}

TEST(GdiObject, SystemColoursFollowThePaletteAndMetricsAreSane) {
    EXPECT_NE(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(GetSysColor(999), 0U);
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CXVSCROLL), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(-3), 0);
}

TEST(GdiObject, MulDivRoundsAndRefusesOverflow) {
    EXPECT_EQ(MulDiv(120, 96, 720), 16);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 1, -2), -4);
    EXPECT_EQ(MulDiv(1 << 30, 1 << 30, 1 << 30), 1 << 30);
    EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

} // namespace
