#include "resources/Resources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

#include "platform/Menu.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

std::string narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text)
        out += static_cast<char>(c);
    return out;
}

// A menu written the way the menu tables of the design are: "Text" id for an item, --- for a
// separator, "Text" [ ... ] for a popup, items separated by " | ".
std::string describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i > 0)
            out += " | ";
        std::array<char16_t, 256> text{};
        MENUITEMINFO info;
        info.fMask = MIIM_TYPE | MIIM_SUBMENU | MIIM_ID;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        GetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &info);
        if ((info.fType & MFT_SEPARATOR) != 0)
            out += "---";
        else if (info.hSubMenu != nullptr)
            out += "\"" + narrow(text.data()) + "\" [ " + describe(info.hSubMenu) + " ]";
        else
            out += "\"" + narrow(text.data()) + "\" " + std::to_string(info.wID);
    }
    return out;
}

std::string loaded(int id) {
    HMENU menu = resources::loadMenu(id);
    if (menu == nullptr)
        return "(missing)";
    std::string out = describe(menu);
    DestroyMenu(menu);
    return out;
}

} // namespace

TEST(Resources, TheMenusAreThoseOfTheDesign) {
    EXPECT_EQ(loaded(IDR_MAINFRAME),
              "\"File\" [ \"Open\" 57601 | \"New\" 32783 | \"_Reopen\" 32833 | \"Recent\" [ "
              "\"(None)\" 32836 ] | \"Save As\" 32772 | \"Save\" 57603 | --- | \"Encoding\" [ "
              "\"Auto\" 32773 | --- | \"ShiftJIS\" 32774 | \"JIS\" 32775 | \"EUC\" 32776 | "
              "\"UTF-8\" 32777 | \"UTF-16\" 32778 | \"Latin\" 32845 ] | \"Linebreak\" [ \"CR\" "
              "32779 | \"CRLF\" 32780 | \"LF\" 32781 ] | \"Properties\" [ \"AutoSave\" 32848 ] | "
              "--- | \"Exit\" 32771 ] | \"Menu\" [ \"ShiftLock\" 32797 | --- | \"Edit\" [ \"Copy\" "
              "57634 | \"Cut\" 57635 | \"Paste\" 57637 | --- | \"Undo\" 57643 | --- | \"Select "
              "All\" 32791 ] | \"Go To\" [ \"Line Nr.\" 32803 | --- | \"First Line\" 32804 | "
              "\"Previous Page\" 32805 | \"Next Page\" 32806 | \"Last Line\" 32807 ] | \"Find\" [ "
              "\"Find...\" 32785 | \"Replace...\" 32786 | --- | \"Search Option\" 32838 ] | "
              "\"View\" [ \"Font +\" 32841 | \"Font -\" 32842 | \"Word Wrap\" 32843 | \"Refresh\" "
              "32858 ] | \"_Placefolder\" 32850 | \"Insert\" [ \"dummy\" 32836 ] | \"Tools\" [ "
              "\"Option...\" 32794 | \"Compatibility...\" 32856 | \"Association...\" 32854 | --- "
              "| \"About...\" 57664 ] ]");
    EXPECT_EQ(loaded(IDR_SHIFTLOCK), "\"UnLock Shift\" 32800 | \"UnLock Shift\" 32800");
    EXPECT_EQ(loaded(IDR_EDITMENU), "\"Edit\" [ \"Copy\" 57634 | \"Cut\" 57635 | \"Paste\" 57637 "
                                    "| --- | \"Undo\" 57643 | --- | \"Select All\" 32791 ]");
    EXPECT_EQ(loaded(IDR_ABOUTBAR), "\"OK\" 1");
    EXPECT_EQ(loaded(IDR_DIALOGBAR), "\"OK\" 1 | \"Cancel\" 2");
    EXPECT_EQ(loaded(IDR_JUMPBAR), "\"Go To\" 32812 | \"Cancel\" 32827");
    EXPECT_EQ(loaded(IDR_FINDBAR),
              "\"Find\" 32817 | \"Menu\" [ \"Find Up\" 32818 | --- | \"Cancel\" 32827 ]");
    EXPECT_EQ(loaded(IDR_REPLACEBAR),
              "\"Replace\" 32821 | \"Menu\" [ \"Find Up\" 32823 | \"Find Down\" 32824 | --- | "
              "\"Replace All\" 32825 | --- | \"Cancel\" 32827 ]");
    EXPECT_EQ(resources::loadMenu(129), nullptr);
}

TEST(Resources, TheAcceleratorsAreCtrlLetters) {
    HACCEL table = resources::loadAccelerators(IDR_MAINFRAME);
    ASSERT_NE(table, nullptr);
    std::array<ACCEL, 32> entries{};
    const int count = CopyAcceleratorTable(table, entries.data(), static_cast<int>(entries.size()));
    std::string keys;
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].fVirt &
                      (FVIRTKEY | FCONTROL | FSHIFT | FALT),
                  FVIRTKEY | FCONTROL);
        keys += static_cast<char>(entries[static_cast<std::size_t>(i)].key);
        keys += " " + std::to_string(entries[static_cast<std::size_t>(i)].cmd) + ", ";
    }
    EXPECT_EQ(keys, "C 57634, X 57635, V 57637, Z 57643, Q 32771, N 32783, O 57601, S 57603, "
                    "B 32818, G 32803, F 32785, A 32791, R 32786, ");
    DestroyAcceleratorTable(table);
}

TEST(Resources, TheStringsAreFoundByNumber) {
    EXPECT_EQ(resources::loadString(IDS_APPNAME), u"kiv");
    EXPECT_EQ(resources::loadString(IDS_LANGUAGE_TAG), u"0409");
    EXPECT_EQ(resources::loadString(IDS_REPLACED_COUNT), u"%d total mades.");
    EXPECT_EQ(resources::loadString(IDS_FILE_FILTER).size(), 65u);
    EXPECT_EQ(resources::loadString(1), u"");
}

TEST(Resources, TheProgramIconIsA48PixelPng) {
    const auto image = resources::loadIconImage(IDR_MAINFRAME);
    ASSERT_GT(image.size(), 24u);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), image.begin()));
    // The header chunk's width and height, big-endian.
    EXPECT_EQ(image[18] * 256 + image[19], 48);
    EXPECT_EQ(image[22] * 256 + image[23], 48);
    EXPECT_TRUE(resources::loadIconImage(IDR_SHIFTLOCK).empty());
}

// Drawn at any size, the icon covers its square but for the rounded corners, through which
// what was there before shows.
TEST(Resources, TheProgramIconDrawsWithTransparentCorners) {
    const HICON icon = resources::loadIcon(IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(resources::loadIcon(IDR_MAINFRAME), icon);
    EXPECT_EQ(resources::loadIcon(IDR_SHIFTLOCK), nullptr);
    const unsigned char notAnImage[] = {'k', 'i', 'v'};
    EXPECT_EQ(CreateIconFromImage(notAnImage), nullptr);
    for (const int size : {16, 48, 96}) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, size + 10, size + 10);
        HBITMAP old = SelectObject(dc, bitmap);
        const RECT all{0, 0, size + 10, size + 10};
        FillRect(dc, &all, GetStockBrush(WHITE_BRUSH));
        ASSERT_TRUE(DrawIconEx(dc, 5, 5, icon, size, size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255)) << size;
        EXPECT_EQ(GetPixel(dc, 4, 5 + size / 2), RGB(255, 255, 255)) << size;
        // The navy border at the middle of the left edge.
        const COLORREF edge = GetPixel(dc, 5 + size / 32, 5 + size / 2);
        EXPECT_GT(GetBValue(edge), GetRValue(edge) + 40) << size;
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
}
