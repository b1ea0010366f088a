#include "platform/Gdi.h"
#include "platform/GdiInternal.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiDeviceContext, ImageContextDrawsOnlyInsideItsClip) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    HDC dc = platform::gdi::createImageDC(&image, QRegion(10, 10, 10, 10));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT everything{0, 0, 40, 30};
    EXPECT_EQ(FillRect(dc, &everything, red), 1);
    platform::gdi::releaseImageDC(dc);
    DeleteObject(red);
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(9, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 19), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(15, 20), qRgb(255, 255, 255));
}

TEST(GdiDeviceContext, EmptyClipMeansTheWholeImage) {
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    HDC dc = platform::gdi::createImageDC(&image, QRegion());
    RECT rect{0, 0, 8, 8};
    FillRect(dc, &rect, GetStockBrush(BLACK_BRUSH));
    EXPECT_EQ(GetPixel(dc, 7, 7), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 8, 7), CLR_INVALID);
    platform::gdi::releaseImageDC(dc);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(GdiDeviceContext, TwoContextsOnOneImageBothDraw) {
    // A window's paint context and a second one from the same window, used in turn.
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    HDC first = platform::gdi::createImageDC(&image, QRegion());
    HDC second = platform::gdi::createImageDC(&image, QRegion());
    EXPECT_EQ(SetPixel(first, 1, 1, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(second, 2, 2, RGB(0, 255, 0)), RGB(0, 255, 0));
    EXPECT_EQ(SetPixel(first, 3, 3, RGB(0, 0, 255)), RGB(0, 0, 255));
    platform::gdi::releaseImageDC(first);
    EXPECT_EQ(SetPixel(second, 4, 4, RGB(0, 0, 0)), RGB(0, 0, 0));
    platform::gdi::releaseImageDC(second);
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(4, 4), qRgb(0, 0, 0));
}

} // namespace
