#pragma once
// The labelling of a popup menu before it is shown: position markers removed, shortcut texts
// cut, and number keys added as access keys where the device wants them.

#include "platform/Device.h"
#include "platform/WinTypes.h"

namespace shell {

struct MenuLabelRule {
    platform::PlatformKind platform = platform::PlatformKind::PocketPc;
    bool numberKeys = false; // the setting menutenkey is 1
    bool portrait = false;   // the screen is narrower than it is tall
};

// Walks popup and its submenus: an item whose text begins with "_" is deleted; elsewhere than
// on a Pocket PC every text is cut at its first tab; on a Pocket PC in portrait with number
// keys on, each text is cut at its first tab and followed by a tab and "(&n)", n counting
// the items of each popup from 1 (separators are not counted).
void LabelMenuItems(HMENU popup, const MenuLabelRule& rule);

} // namespace shell
