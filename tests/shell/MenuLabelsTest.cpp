#include "shell/MenuLabels.h"

#include "platform/Menu.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using platform::PlatformKind;
using shell::LabelMenuItems;
using shell::MenuLabelRule;

namespace {

std::vector<std::u16string> labels(HMENU menu) {
    std::vector<std::u16string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        std::array<char16_t, 64> text{};
        GetMenuString(menu, static_cast<UINT>(i), text.data(), 64, MF_BYPOSITION);
        out.emplace_back(text.data());
        if (HMENU sub = GetSubMenu(menu, i)) {
            for (const auto& inner : labels(sub))
                out.push_back(u"  " + inner);
        }
    }
    return out;
}

// Twelve items, a separator, a marker and a submenu, labelled by rule.
std::vector<std::u16string> labelled(const MenuLabelRule& rule) {
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, 1, u"Copy\tCtrl+C");
    AppendMenu(menu, MF_STRING, 2, u"_Marker");
    AppendMenu(menu, MF_STRING, 3, u"_Another");
    AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 4, u"Inner\tx");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"Sub");
    for (UINT i = 0; i < 9; ++i)
        AppendMenu(menu, MF_STRING, 10 + i, u"x");
    LabelMenuItems(menu, rule);
    auto out = labels(menu);
    DestroyMenu(menu);
    return out;
}

} // namespace

TEST(MenuLabels, MarkersGoEverywhereAndOnlyAPortraitPocketPcWithNumberKeysGetsNumbers) {
    const auto numbered = labelled({PlatformKind::PocketPc, true, true});
    ASSERT_EQ(numbered.size(), 13u);
    EXPECT_EQ(numbered[0], u"Copy\t(&1)");
    EXPECT_EQ(numbered[1], u"");
    EXPECT_EQ(numbered[2], u"Sub\t(&2)");
    EXPECT_EQ(numbered[3], u"  Inner\t(&1)");
    EXPECT_EQ(numbered[12], u"x\t(&11)");

    const auto landscape = labelled({PlatformKind::PocketPc, true, false});
    EXPECT_EQ(landscape[0], u"Copy\tCtrl+C");
    EXPECT_EQ(landscape[3], u"  Inner\tx");
    EXPECT_EQ(labelled({PlatformKind::PocketPc, false, true}), landscape);

    const auto phone = labelled({PlatformKind::Smartphone, true, true});
    EXPECT_EQ(phone[0], u"Copy");
    EXPECT_EQ(phone[3], u"  Inner");
    EXPECT_EQ(phone[12], u"x");
}
