#pragma once
// Filling the submenus that list run-time entries (File > Recent, Insert): each sits right
// after a marker item of its popup and is rebuilt from scratch with every menu bar.

#include "platform/WinTypes.h"

#include <span>
#include <string>

namespace shell {

// The submenu of the item right after the item whose command id is `marker`, searched in
// popup and its submenus; null when there is none.
HMENU SubmenuAfter(HMENU popup, UINT marker);

// Empties menu, then appends labels[i] with command id firstId + i; with no labels, one
// "(なし)" item (ID_MENU_EMPTY) that no command table knows, so it shows greyed.
void FillSubmenu(HMENU menu, std::span<const std::u16string> labels, UINT firstId);

} // namespace shell
