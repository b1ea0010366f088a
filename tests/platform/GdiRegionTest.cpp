// Regions and clipping.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gditest;

TEST(GdiRegion, CombinationsFillWhatTheyShould) {
    Canvas canvas(30, 30);
    HRGN a = CreateRectRgn(0, 0, 20, 10);
    HRGN b = CreateRectRgn(10, 0, 30, 10);
    HRGN result = CreateRectRgn(0, 0, 0, 0);

    EXPECT_EQ(CombineRgn(result, a, b, RGN_DIFF), SIMPLEREGION);
    FillRgn(canvas.dc(), result, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(canvas.ink(), (RECT{0, 0, 10, 10}));
    EXPECT_EQ(canvas.count(kBlack, 0, 0, 30, 30), 100);

    HRGN below = CreateRectRgn(5, 15, 10, 30);
    EXPECT_EQ(CombineRgn(result, a, below, RGN_OR), COMPLEXREGION);
    HBRUSH red = CreateSolidBrush(kRed);
    FillRgn(canvas.dc(), result, red);
    EXPECT_EQ(canvas.count(kRed, 0, 0, 30, 30), 200 + 75);
    EXPECT_EQ(canvas.at(7, 12), kWhite);
    EXPECT_EQ(canvas.at(7, 29), kRed);

    EXPECT_EQ(CombineRgn(result, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(result, 0, 0));
    EXPECT_FALSE(PtInRegion(result, 15, 5));
    EXPECT_TRUE(PtInRegion(result, 25, 5));
    EXPECT_FALSE(PtInRegion(result, 30, 5));

    EXPECT_EQ(CombineRgn(result, a, b, RGN_AND), SIMPLEREGION);
    RECT box;
    EXPECT_EQ(GetRgnBox(result, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 0, 20, 10}));

    // The destination may be one of the operands.
    EXPECT_EQ(CombineRgn(a, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(GetRgnBox(a, &box), NULLREGION);
    EXPECT_EQ(box, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(CombineRgn(a, b, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_EQ(CombineRgn(a, b, nullptr, RGN_OR), RGN_ERROR);
    EXPECT_EQ(CombineRgn(a, b, b, 99), RGN_ERROR);

    EXPECT_EQ(OffsetRgn(b, -10, 5), SIMPLEREGION);
    GetRgnBox(b, &box);
    EXPECT_EQ(box, (RECT{0, 5, 20, 15}));
    SetRectRgn(b, 3, 3, 1, 1);
    EXPECT_EQ(GetRgnBox(b, &box), NULLREGION);

    for (HRGN region : {a, b, result, below})
        EXPECT_TRUE(DeleteObject(region));
    DeleteObject(red);
}

TEST(GdiRegion, ClipRegionsLimitDrawing) {
    Canvas canvas(30, 30);
    HDC dc = canvas.dc();
    HRGN clip = CreateRectRgn(5, 5, 15, 15);
    EXPECT_EQ(SelectClipRgn(dc, clip), SIMPLEREGION);
    // The context keeps its own copy: changing the region afterwards changes nothing.
    SetRectRgn(clip, 0, 0, 30, 30);
    RECT all{0, 0, 30, 30};
    FillRect(dc, &all, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(canvas.ink(), (RECT{5, 5, 15, 15}));
    RECT box;
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{5, 5, 15, 15}));
    EXPECT_EQ(GetPixel(dc, 20, 20), CLR_INVALID);

    // Narrowing and cutting holes.
    EXPECT_EQ(ExcludeClipRect(dc, 8, 8, 10, 10), COMPLEXREGION);
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 12, 30), COMPLEXREGION);
    FillRect(dc, &all, GetStockBrush(GRAY_BRUSH));
    EXPECT_EQ(canvas.count(RGB(128, 128, 128), 0, 0, 30, 30), 7 * 10 - 4);
    EXPECT_EQ(canvas.at(9, 9), kBlack);

    // Removing the clip opens the whole bitmap again; intersecting then starts from all of it.
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(dc, 20, 20, 25, 40), SIMPLEREGION);
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{20, 20, 25, 30}));
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 5, 5), NULLREGION);
    FillRect(dc, &all, GetStockBrush(WHITE_BRUSH));
    EXPECT_EQ(canvas.at(9, 9), kBlack);
    DeleteObject(clip);
}

TEST(GdiRegion, WindowClipAndApplicationClipBothApply) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    HDC dc = platform::gdi::createImageDC(&image, QRegion(0, 0, 10, 20));
    HRGN clip = CreateRectRgn(5, 0, 20, 10);
    SelectClipRgn(dc, clip);
    RECT all{0, 0, 20, 20};
    FillRect(dc, &all, GetStockBrush(BLACK_BRUSH));
    RECT box;
    GetClipBox(dc, &box);
    EXPECT_EQ(box, (RECT{5, 0, 10, 10}));
    platform::gdi::releaseImageDC(dc);
    DeleteObject(clip);
    int black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            black += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    EXPECT_EQ(black, 50);
    EXPECT_EQ(image.pixel(5, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(9, 9), qRgb(0, 0, 0));
}

} // namespace
