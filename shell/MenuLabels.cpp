#include "shell/MenuLabels.h"

#include "platform/Menu.h"
#include "platform/Messages.h"

#include <array>
#include <string>

namespace shell {

namespace {

constexpr std::size_t kMaxItemText = 1023;

std::u16string numbered(std::u16string text, int n) {
    text += u"\t(&";
    for (const char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    text += u')';
    return text;
}

} // namespace

void LabelMenuItems(HMENU popup, const MenuLabelRule& rule) {
    const bool pocketPc = rule.platform == platform::PlatformKind::PocketPc;
    const bool numbering = pocketPc && rule.numberKeys && rule.portrait;
    int n = 1;
    int position = 0;
    while (position < GetMenuItemCount(popup)) {
        std::array<char16_t, kMaxItemText + 1> buffer{};
        MENUITEMINFO info;
        info.fMask = MIIM_TYPE | MIIM_SUBMENU;
        info.dwTypeData = buffer.data();
        info.cch = static_cast<UINT>(buffer.size());
        const auto at = static_cast<UINT>(position);
        if (!GetMenuItemInfo(popup, at, TRUE, &info))
            break;
        if ((info.fType & MFT_SEPARATOR) != 0) {
            ++position;
            continue;
        }
        std::u16string text(buffer.data());
        if (text.starts_with(u'_')) {
            DeleteMenu(popup, at, MF_BYPOSITION);
            continue;
        }
        if (!pocketPc || numbering) {
            text = text.substr(0, text.find(u'\t'));
            if (numbering)
                text = numbered(std::move(text), n++);
            MENUITEMINFO update;
            update.fMask = MIIM_STRING;
            update.dwTypeData = text.data();
            SetMenuItemInfo(popup, at, TRUE, &update);
        }
        if (info.hSubMenu != nullptr)
            LabelMenuItems(info.hSubMenu, rule);
        ++position;
    }
}

} // namespace shell
