#pragma once
// The About box (dialog 100): the program's icon, its name and a line about what it is for,
// closed with its "OK" soft key (menu 132), Return or Escape.

#include "platform/WinTypes.h"

namespace shell {

// Runs the About box over owner and returns once the user has closed it.
void ShowAboutBox(HWND owner);

} // namespace shell
