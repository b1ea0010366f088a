#pragma once
// The program's resources, looked up by number: menus, accelerator tables, dialogs and strings.
// Each is written once as data in this folder; code asks for it here.

#include "platform/Accelerator.h"
#include "platform/DialogTemplate.h"
#include "platform/Icon.h"
#include "platform/WinTypes.h"

#include <span>
#include <string_view>

namespace resources {

// A new menu built from menu resource id: its top-level items (the soft keys of a menu bar,
// or the popups of a context menu) with their submenus. The caller owns it. Null for an
// unknown id.
HMENU loadMenu(int id);
// A new accelerator table from table id; the caller owns it. Null for an unknown id.
HACCEL loadAccelerators(int id);
// Dialog template id; it lives for the whole run. Null for an unknown id.
const platform::DialogTemplate* loadDialog(int id);
// The text of string id; empty for an unknown id.
std::u16string_view loadString(int id);
// The image file (PNG) of icon id; empty for an unknown id.
std::span<const unsigned char> loadIconImage(int id);
// The icon of icon id, shared for the whole run (never destroyed); null for an unknown id.
HICON loadIcon(int id);

} // namespace resources
