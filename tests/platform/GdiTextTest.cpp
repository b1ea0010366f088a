// Text output and measuring with the deterministic test font, where every pixel is known.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace gditest;

class GdiText : public testing::Test {
protected:
    void SetUp() override {
        font_ = makeFont(u"KivTestFont", -16);
        oldFont_ = SelectObject(canvas_.dc(), font_);
    }
    void TearDown() override {
        SelectObject(canvas_.dc(), oldFont_);
        EXPECT_TRUE(DeleteObject(font_));
    }
    SIZE extent(const std::u16string& text) {
        SIZE size;
        EXPECT_TRUE(
            GetTextExtentPoint32W(canvas_.dc(), text.data(), static_cast<int>(text.size()), &size));
        return size;
    }

    Canvas canvas_{200, 60};
    HFONT font_ = nullptr;
    HFONT oldFont_ = nullptr;
};

TEST_F(GdiText, TestFontExtentsAreExactSums) {
    EXPECT_EQ(extent(u"").cx, 0);
    EXPECT_EQ(extent(u"a").cx, 8);
    EXPECT_EQ(extent(u"\u00FF").cx, 8);
    EXPECT_EQ(extent(u"\u0100").cx, 16);
    EXPECT_EQ(extent(u"ab\u65E5\u672C c").cx, 8 * 4 + 16 * 2);
    EXPECT_EQ(extent(u"\t").cx, 8);
    // Each half of a surrogate pair is a code unit of its own.
    EXPECT_EQ(extent(u"\U00020B9F").cx, 32);
    EXPECT_EQ(extent(u"abc").cy, 16);

    std::u16string run(256, u'\u3042');
    EXPECT_EQ(extent(run).cx, 256 * 16);

    TEXTMETRICW metrics;
    ASSERT_TRUE(GetTextMetricsW(canvas_.dc(), &metrics));
    EXPECT_EQ(metrics.tmHeight, 16);
    EXPECT_EQ(metrics.tmAscent, 13);
    EXPECT_EQ(metrics.tmDescent, 3);
    EXPECT_EQ(metrics.tmAveCharWidth, 8);
    EXPECT_EQ(metrics.tmMaxCharWidth, 16);
    EXPECT_EQ(metrics.tmInternalLeading + metrics.tmExternalLeading, 0);

    SIZE ignored;
    EXPECT_FALSE(GetTextExtentPoint32W(canvas_.dc(), u"a", -1, &ignored));
    EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"a", 1, &ignored));
}

TEST_F(GdiText, TestFontGlyphsAreBoxesInTheirCells) {
    SetBkMode(canvas_.dc(), TRANSPARENT);
    SetTextColor(canvas_.dc(), kBlack);
    EXPECT_TRUE(TextOutW(canvas_.dc(), 10, 20, u"a \u65E5", 3));
    // 'a': x 11..16, rows 21..32; the space draws nothing; the ideograph: x 27..40.
    EXPECT_EQ(canvas_.count(kBlack, 11, 21, 17, 33), 6 * 12);
    EXPECT_EQ(canvas_.at(10, 21), kWhite);
    EXPECT_EQ(canvas_.at(17, 21), kWhite);
    EXPECT_EQ(canvas_.at(11, 20), kWhite);
    EXPECT_EQ(canvas_.at(11, 33), kWhite);
    EXPECT_EQ(canvas_.count(kBlack, 18, 20, 26, 36), 0);
    EXPECT_EQ(canvas_.count(kBlack, 27, 21, 41, 33), 14 * 12);
    const RECT ink = canvas_.ink();
    EXPECT_EQ(ink, (RECT{11, 21, 41, 33}));
}

TEST_F(GdiText, OpaqueTextFillsExactlyItsRectangle) {
    HDC dc = canvas_.dc();
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, kBlue);
    SetTextColor(dc, kRed);
    // ETO_OPAQUE fills the whole given rectangle, whatever the background mode.
    const RECT rect{5, 4, 105, 24};
    EXPECT_TRUE(ExtTextOutW(dc, 5, 6, ETO_OPAQUE, &rect, u"ab", 2, nullptr));
    EXPECT_EQ(canvas_.count(kWhite, 5, 4, 105, 24), 0);
    EXPECT_EQ(canvas_.count(kRed, 5, 4, 105, 24), 2 * 6 * 12);
    EXPECT_EQ(canvas_.count(kBlue, 5, 4, 105, 24), 100 * 20 - 2 * 6 * 12);
    EXPECT_EQ(canvas_.ink(), rect);

    // Without it, an opaque background mode fills just the text's cells.
    Canvas other(100, 40);
    HFONT old = SelectObject(other.dc(), font_);
    SetBkMode(other.dc(), OPAQUE);
    SetBkColor(other.dc(), kBlue);
    EXPECT_TRUE(TextOutW(other.dc(), 10, 10, u"a\u3042", 2));
    EXPECT_EQ(other.ink(), (RECT{10, 10, 34, 26}));
    EXPECT_EQ(other.count(kWhite, 10, 10, 34, 26), 0);
    SelectObject(other.dc(), old);
}

TEST_F(GdiText, TransparentTextLeavesTheBackground) {
    HDC dc = canvas_.dc();
    RECT stripe{0, 0, 200, 60};
    HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
    FillRect(dc, &stripe, green);
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, kBlue);
    SetTextColor(dc, kRed);
    EXPECT_TRUE(TextOutW(dc, 0, 0, u"x y", 3));
    EXPECT_EQ(canvas_.count(kBlue, 0, 0, 200, 60), 0);
    EXPECT_EQ(canvas_.count(kRed, 0, 0, 200, 60), 2 * 6 * 12);
    EXPECT_EQ(canvas_.count(RGB(0, 128, 0), 0, 0, 200, 60), 200 * 60 - 2 * 6 * 12);
    DeleteObject(green);
}

TEST_F(GdiText, AlignmentPlacesTheTextAroundThePoint) {
    HDC dc = canvas_.dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kBlack);
    EXPECT_EQ(SetTextAlign(dc, TA_RIGHT | TA_TOP), TA_LEFT | TA_TOP);
    EXPECT_TRUE(TextOutW(dc, 100, 5, u"12", 2));
    EXPECT_EQ(canvas_.ink(), (RECT{84, 5, 100, 21}));

    Canvas centred(200, 60);
    SelectObject(centred.dc(), font_);
    SetBkColor(centred.dc(), kBlack);
    SetTextAlign(centred.dc(), TA_CENTER | TA_BASELINE);
    EXPECT_TRUE(TextOutW(centred.dc(), 100, 30, u"\u3042\u3044", 2));
    EXPECT_EQ(centred.ink(), (RECT{84, 17, 116, 33}));
    SelectObject(centred.dc(), GetStockFont(SYSTEM_FONT));

    // With TA_UPDATECP the text starts at the current position and moves it along.
    Canvas running(200, 60);
    SelectObject(running.dc(), font_);
    SetBkColor(running.dc(), kBlack);
    SetTextAlign(running.dc(), TA_UPDATECP);
    MoveToEx(running.dc(), 7, 3, nullptr);
    TextOutW(running.dc(), 0, 0, u"ab", 2);
    TextOutW(running.dc(), 0, 0, u"c", 1);
    EXPECT_EQ(running.ink(), (RECT{7, 3, 31, 19}));
    SelectObject(running.dc(), GetStockFont(SYSTEM_FONT));
}

TEST_F(GdiText, ClippedTextStaysInsideTheRectangle) {
    HDC dc = canvas_.dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kBlack);
    SetTextColor(dc, kBlack);
    const RECT clip{20, 0, 30, 60};
    EXPECT_TRUE(ExtTextOutW(dc, 0, 0, ETO_CLIPPED, &clip, u"\u3042\u3044\u3046", 3, nullptr));
    EXPECT_EQ(canvas_.ink(), (RECT{20, 0, 30, 16}));

    // An empty clipping rectangle hides everything.
    Canvas hidden(60, 30);
    const RECT empty{10, 10, 10, 20};
    SelectObject(hidden.dc(), font_);
    SetBkColor(hidden.dc(), kBlack);
    EXPECT_TRUE(
        ExtTextOutW(hidden.dc(), 0, 0, ETO_CLIPPED | ETO_OPAQUE, &empty, u"ab", 2, nullptr));
    EXPECT_EQ(hidden.count(kWhite, 0, 0, 60, 30), 60 * 30);
    SelectObject(hidden.dc(), GetStockFont(SYSTEM_FONT));
}

TEST_F(GdiText, ExplicitAdvancesPlaceEachCodeUnit) {
    HDC dc = canvas_.dc();
    SetBkMode(dc, TRANSPARENT);
    const int advances[] = {20, 30, 8};
    EXPECT_TRUE(ExtTextOutW(dc, 0, 0, 0, nullptr, u"aaa", 3, advances));
    EXPECT_EQ(canvas_.at(1, 1), kBlack);
    EXPECT_EQ(canvas_.at(9, 1), kWhite);
    EXPECT_EQ(canvas_.at(21, 1), kBlack);
    EXPECT_EQ(canvas_.at(51, 1), kBlack);
    EXPECT_EQ(canvas_.ink(), (RECT{1, 1, 57, 13}));
}

TEST_F(GdiText, DrawTextPlacesAndMeasuresLabels) {
    HDC dc = canvas_.dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, kBlack);
    RECT box{10, 10, 110, 50};
    EXPECT_EQ(DrawTextW(dc, u"ab", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 16);
    EXPECT_EQ(canvas_.ink(), (RECT{52, 22, 68, 38}));

    Canvas right(120, 60);
    SelectObject(right.dc(), font_);
    SetBkColor(right.dc(), kBlack);
    EXPECT_EQ(DrawTextW(right.dc(), u"abc", 3, &box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 16);
    EXPECT_EQ(right.ink(), (RECT{86, 34, 110, 50}));

    // The mnemonic marker is not drawn and takes no room; "&&" stays one '&'.
    RECT calc{5, 5, 5, 5};
    EXPECT_EQ(DrawTextW(dc, u"&File &&", -1, &calc, DT_CALCRECT), 16);
    EXPECT_EQ(calc, (RECT{5, 5, 5 + 6 * 8, 21}));
    RECT raw{0, 0, 0, 0};
    DrawTextW(dc, u"&File", -1, &raw, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(raw.right, 5 * 8);

    // Text wider than the rectangle is clipped to it unless DT_NOCLIP.
    Canvas narrow(100, 30);
    SelectObject(narrow.dc(), font_);
    SetBkColor(narrow.dc(), kBlack);
    RECT small{0, 0, 20, 30};
    DrawTextW(narrow.dc(), u"abcdef", 6, &small, DT_LEFT);
    EXPECT_EQ(narrow.ink(), (RECT{0, 0, 20, 16}));
    DrawTextW(narrow.dc(), u"abcdef", 6, &small, DT_LEFT | DT_NOCLIP);
    EXPECT_EQ(narrow.ink(), (RECT{0, 0, 48, 16}));
    SelectObject(right.dc(), GetStockFont(SYSTEM_FONT));
    SelectObject(narrow.dc(), GetStockFont(SYSTEM_FONT));
}

TEST_F(GdiText, BadArgumentsFailWithoutDrawing) {
    HDC dc = canvas_.dc();
    EXPECT_FALSE(ExtTextOutW(nullptr, 0, 0, 0, nullptr, u"a", 1, nullptr));
    EXPECT_FALSE(ExtTextOutW(dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
    EXPECT_FALSE(TextOutW(dc, 0, 0, u"a", -2));
    RECT box{0, 0, 10, 10};
    EXPECT_EQ(DrawTextW(dc, nullptr, 2, &box, 0), 0);
    EXPECT_EQ(DrawTextW(dc, u"a", -5, &box, 0), 0);
    EXPECT_TRUE(TextOutW(dc, 0, 0, u"", 0));
    EXPECT_EQ(canvas_.count(kWhite, 0, 0, 200, 60), 200 * 60);
}

} // namespace
