// Real fonts: sizes, metrics, enumeration and the placement of drawn glyphs.

#include "GdiTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace gditest;

SIZE extentOf(HDC dc, const std::u16string& text) {
    SIZE size;
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

TEST(GdiFont, JapaneseFaceHasFullWidthTwiceTheHalfWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = makeFont(u"IPAGothic", -20);
    HFONT old = SelectObject(dc, font);
    EXPECT_EQ(extentOf(dc, u"a").cx, 10);
    EXPECT_EQ(extentOf(dc, u"\u65E5").cx, 20);
    EXPECT_EQ(extentOf(dc, u"\u3000").cx, 20);
    EXPECT_EQ(extentOf(dc, u"\uFF71").cx, 10); // half-width katakana
    EXPECT_EQ(extentOf(dc, u"ab\u65E5\u672C").cx, 60);
    TEXTMETRICW metrics;
    ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
    EXPECT_EQ(metrics.tmAveCharWidth, 10);
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_GE(metrics.tmHeight, 20);
    EXPECT_LE(metrics.tmHeight, 26);
    EXPECT_GT(metrics.tmAscent, metrics.tmDescent);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(SelectObject(dc, old), font);
    DeleteObject(font);
    DeleteDC(dc);
}

TEST(GdiFont, HeightSignChoosesCharacterOrCellHeight) {
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICW character;
    TEXTMETRICW cell;
    HFONT byCharacter = makeFont(u"DejaVu Sans", -20);
    HFONT byCell = makeFont(u"DejaVu Sans", 20);
    SelectObject(dc, byCharacter);
    GetTextMetricsW(dc, &character);
    SelectObject(dc, byCell);
    GetTextMetricsW(dc, &cell);
    SelectObject(dc, GetStockFont(SYSTEM_FONT));
    EXPECT_GT(character.tmHeight, 20);
    EXPECT_LE(cell.tmHeight, 20);
    EXPECT_GE(cell.tmHeight, 18);
    EXPECT_EQ(character.tmInternalLeading, character.tmHeight - 20);
    DeleteObject(byCharacter);
    DeleteObject(byCell);
    DeleteDC(dc);
}

TEST(GdiFont, DescriptionRoundTripsAndPointSizesFollowTheResolution) {
    HFONT font = makeFont(u"IPAGothic", -15, FW_BOLD);
    LOGFONTW description;
    EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_EQ(GetObjectW(font, 4, &description), 0);
    ASSERT_EQ(GetObjectW(font, sizeof description, &description),
              static_cast<int>(sizeof(LOGFONTW)));
    EXPECT_EQ(description.lfHeight, -15);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_EQ(std::u16string(description.lfFaceName), u"IPAGothic");
    EXPECT_EQ(platform::gdi::toolkitFont(font).weight(), QFont::Bold);
    EXPECT_EQ(GetObjectType(font), OBJ_FONT);
    DeleteObject(font);

    // 12 points at 96 pixels per inch are 16 pixels of character height.
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);
    HFONT pointFont = CreatePointFontW(120, u"IPAGothic", nullptr);
    GetObjectW(pointFont, sizeof description, &description);
    EXPECT_EQ(description.lfHeight, -16);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, pointFont);
    EXPECT_EQ(extentOf(dc, u"\u3042").cx, 16);
    DeleteDC(dc);
    DeleteObject(pointFont);
}

TEST(GdiFont, UnknownAndEmptyFacesFallBackToAJapaneseFace) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const std::u16string face : {u"No Such Face At All", u""}) {
        HFONT font = makeFont(face, -20);
        SelectObject(dc, font);
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(extentOf(dc, u"\u65E5").cx, 2 * extentOf(dc, u"a").cx);
        SelectObject(dc, GetStockFont(SYSTEM_FONT));
        DeleteObject(font);
    }
    // A face name filling the whole array without a terminator is cut, not overrun.
    LOGFONTW description;
    std::fill(std::begin(description.lfFaceName), std::end(description.lfFaceName), u'X');
    HFONT font = CreateFontIndirectW(&description);
    ASSERT_NE(font, nullptr);
    GetObjectW(font, sizeof description, &description);
    EXPECT_EQ(std::u16string(description.lfFaceName).size(), 31U);
    DeleteObject(font);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    DeleteDC(dc);
}

struct Enumerated {
    std::vector<std::u16string> names;
    int stopAfter = 0;
};

int collect(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    // The enumeration hands its caller's data back as an integer.
    auto* found = reinterpret_cast<Enumerated*>(data); // NOLINT(performance-no-int-to-ptr)
    EXPECT_EQ(type, TRUETYPE_FONTTYPE);
    found->names.emplace_back(font->lfFaceName);
    return static_cast<int>(found->names.size()) == found->stopAfter ? 0 : 1;
}

TEST(GdiFont, EnumerationListsFamiliesForACharacterSet) {
    LOGFONTW all;
    all.lfCharSet = DEFAULT_CHARSET;
    Enumerated everything;
    EXPECT_EQ(EnumFontFamiliesExW(nullptr, &all, collect, reinterpret_cast<LPARAM>(&everything), 0),
              1);
    const auto has = [](const Enumerated& found, std::u16string_view name) {
        return std::find(found.names.begin(), found.names.end(), name) != found.names.end();
    };
    EXPECT_TRUE(has(everything, u"IPAGothic"));
    EXPECT_TRUE(has(everything, u"DejaVu Sans"));
    EXPECT_FALSE(has(everything, u"KivTestFont"));
    EXPECT_EQ(everything.names, fontFamilyNames(DEFAULT_CHARSET));

    LOGFONTW japanese;
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    Enumerated japaneseOnly;
    EnumFontFamiliesExW(nullptr, &japanese, collect, reinterpret_cast<LPARAM>(&japaneseOnly), 0);
    EXPECT_TRUE(has(japaneseOnly, u"IPAGothic"));
    EXPECT_FALSE(has(japaneseOnly, u"DejaVu Sans"));

    Enumerated firstTwo;
    firstTwo.stopAfter = 2;
    EXPECT_EQ(EnumFontFamiliesExW(nullptr, &all, collect, reinterpret_cast<LPARAM>(&firstTwo), 0),
              0);
    EXPECT_EQ(firstTwo.names.size(), 2U);

    LOGFONTW one;
    one.lfCharSet = DEFAULT_CHARSET;
    std::u16string(u"ipagothic").copy(one.lfFaceName, LF_FACESIZE - 1);
    Enumerated named;
    EnumFontFamiliesExW(nullptr, &one, collect, reinterpret_cast<LPARAM>(&named), 0);
    EXPECT_EQ(named.names, std::vector<std::u16string>{u"IPAGothic"});
}

TEST(GdiFont, RealGlyphsLandInTheirMeasuredCells) {
    Canvas canvas(400, 40);
    HFONT font = makeFont(u"IPAGothic", -20);
    HFONT old = SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    // A run mixing half and full width: every glyph's ink must stay inside its own cell.
    const std::u16string text = u"\u65E5\u672C\u8A9Eabc\u3042";
    TextOutW(canvas.dc(), 5, 5, text.data(), static_cast<int>(text.size()));
    int x = 5;
    for (char16_t unit : text) {
        SIZE cell = extentOf(canvas.dc(), std::u16string(1, unit));
        Canvas alone(400, 40);
        SelectObject(alone.dc(), font);
        SetBkMode(alone.dc(), TRANSPARENT);
        TextOutW(alone.dc(), x, 5, &unit, 1);
        const RECT ink = alone.ink();
        EXPECT_GE(ink.left, x) << char(unit);
        EXPECT_LE(ink.right, x + cell.cx + 1) << char(unit);
        // Drawn alone or in the run, the glyph's pixels are the same.
        const QRect cellRect(x, 0, cell.cx, 40);
        EXPECT_EQ(alone.image().copy(cellRect), canvas.image().copy(cellRect)) << char(unit);
        SelectObject(alone.dc(), GetStockFont(SYSTEM_FONT));
        x += cell.cx;
    }
    EXPECT_EQ(x, 5 + 20 * 4 + 10 * 3);
    const RECT ink = canvas.ink();
    EXPECT_LT(ink.right, x + 1);
    EXPECT_GE(ink.top, 5);
    EXPECT_LE(ink.bottom, 5 + 26);
    if (const char* dir = std::getenv("KIV_PNG_DIR"))
        canvas.image().save(QDir(QString::fromLocal8Bit(dir)).filePath("gdi-japanese.png"));
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
}

TEST(GdiFont, StockFontsAreUsableAndNeverFreed) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (int index : {SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_FIXED_FONT}) {
        HFONT font = GetStockFont(index);
        ASSERT_NE(font, nullptr);
        EXPECT_TRUE(DeleteObject(font));
        SelectObject(dc, font);
        EXPECT_GT(extentOf(dc, u"\u3042").cx, 0);
        TEXTMETRICW metrics;
        GetTextMetricsW(dc, &metrics);
        EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);
    }
    EXPECT_EQ(GetStockObject(999), nullptr);
    EXPECT_EQ(GetStockFont(WHITE_BRUSH), nullptr);
    DeleteDC(dc);
}

} // namespace
