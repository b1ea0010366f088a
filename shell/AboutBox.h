#pragma once
// The About box: the program's icon, its name and a line about what it is for.

#include "platform/WinTypes.h"

namespace shell {

// Shows the About box over owner and returns once the user has closed it.
void ShowAboutBox(HWND owner);

} // namespace shell
