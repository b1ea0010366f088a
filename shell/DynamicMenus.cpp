#include "shell/DynamicMenus.h"

#include "platform/Menu.h"
#include "platform/Messages.h"
#include "resources/CommandIds.h"

namespace shell {

HMENU SubmenuAfter(HMENU popup, UINT marker) {
    if (popup == nullptr)
        return nullptr;
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(popup, position) == marker)
            return position + 1 < count ? GetSubMenu(popup, position + 1) : nullptr;
        if (HMENU found = SubmenuAfter(GetSubMenu(popup, position), marker); found != nullptr)
            return found;
    }
    return nullptr;
}

void FillSubmenu(HMENU menu, std::span<const std::u16string> labels, UINT firstId) {
    if (menu == nullptr)
        return;
    for (int left = GetMenuItemCount(menu); left > 0; --left)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    UINT id = firstId;
    for (const std::u16string& label : labels)
        AppendMenu(menu, MF_STRING, id++, label.c_str());
    if (labels.empty())
        AppendMenu(menu, MF_STRING, ID_MENU_EMPTY, u"(なし)");
}

} // namespace shell
